#pragma once
#include <string>
#include <utility>
#include <vector>

#include "tests/device_control/device_files.h"
#include "tests/gui/builder_fixture.h"

inline constexpr char kControllerCaption[] = "Device Controller";
inline constexpr char kLoginCaption[] = "Device Admin Authentication";

// A builder whose Remote API reaches the session's emulated device.
class DeviceControllerTest : public BuilderTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  using Settings = std::vector<std::pair<std::string, std::string>>;
  // Environment settings the builder starts with.
  virtual Settings BuilderSettings() const { return {}; }

  HWND OpenController();
  void CloseController(HWND controller);
  bool WaitStatus(HWND controller, const std::string& status,
                  gui_driver::milliseconds timeout = gui_driver::kDefaultWait);
  // The buttons as the connection state has them; the screenshot button never shows.
  void ExpectButtons(HWND controller, bool connected);
  // Presses Exit Kiosk Mode and expects the login dialog.
  HWND OpenLogin(HWND controller);
  // Types the code, presses Login; returns at once.
  void SubmitCode(HWND login, const std::string& code);
  // The library calls the device served since the test began.
  std::vector<std::string> NewRemoteCalls() const;

 private:
  size_t callsBefore_ = 0;
};

// The builder's Remote API looks for a device where none answers.
class NoDeviceTest : public DeviceControllerTest {
 protected:
  Settings BuilderSettings() const override { return {{"BC_DEVICE_PORT", "1"}}; }
};
