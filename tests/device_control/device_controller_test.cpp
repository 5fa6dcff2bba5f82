#include <chrono>
#include <thread>

#include "tests/device_control/device_controller_fixture.h"

using namespace gui_driver;
using Clock = std::chrono::steady_clock;

using DeviceController = DeviceControllerTest;
using DeviceControllerWithoutDevice = NoDeviceTest;

// As on a desktop without the ActiveSync software: a copy of the builder for
// which Wine refuses to load any rapi.dll.
class DeviceControllerWithoutRemoteApi : public DeviceControllerTest {
 protected:
  static constexpr char kCopyName[] = "BrindlecoveWithoutRapi.exe";

  void SetUp() override {
    HKEY key = nullptr;
    const std::string overrides = std::string("Software\\Wine\\AppDefaults\\") + kCopyName + "\\DllOverrides";
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, overrides.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "rapi", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(key);
    CreateDirectoryA(Folder().c_str(), nullptr);
    const std::string copy = Folder() + "\\" + kCopyName;
    ASSERT_TRUE(CopyFileA((DistFolder() + "\\Brindlecove.exe").c_str(), copy.c_str(), FALSE));
    builder_ = std::make_unique<Process>(copy, "", Folder());
    main_ = FindMainWindow(builder_->Id());
    ASSERT_NE(main_, nullptr);
  }
  static std::string Folder() { return BuildFile("without_rapi"); }
};

TEST_F(DeviceControllerWithoutRemoteApi, ConnectingFailsTheOrdinaryWayAndTheBuilderGoesOn) {
  HWND controller = OpenController();
  ASSERT_NE(controller, nullptr);
  EXPECT_TRUE(WaitStatus(controller, "Could not connect to remote device", milliseconds(3000)));
  ExpectButtons(controller, false);
  Click(controller, IDC_DEVICE_CONNECT);
  EXPECT_TRUE(WaitStatus(controller, "Could not connect to remote device", milliseconds(3000)));
  CloseController(controller);
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_NE(OpenDialog(IDC_DEVICE_CONTROL, kControllerCaption), nullptr) << "the builder still works";
}

// The record size of the newest connection set-up, as the device was told it.
std::string LastSetUpRecord() {
  const std::vector<std::string> calls = device_control_test::DeviceCalls();
  for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
    if (call->starts_with("Hello ")) return *call;
  }
  return "";
}

TEST_F(DeviceController, ConnectsToTheDeviceAndDisconnects) {
  HWND controller = OpenController();
  ASSERT_NE(controller, nullptr);
  ASSERT_TRUE(WaitStatus(controller, "Device connected", milliseconds(5000))) << Text(controller, IDC_DEVICE_STATUS);
  // The record is a DWORD, a HANDLE and an HRESULT: three 32-bit fields for
  // the desktop's 32-bit Remote API, 24 bytes with a 64-bit handle and padding.
  EXPECT_EQ(LastSetUpRecord(), sizeof(void*) == 4 ? "Hello RAPIINIT.cbSize 12" : "Hello RAPIINIT.cbSize 24");
  ExpectButtons(controller, true);
  // Enabled with the connection, yet never shown; pressing it does nothing.
  EXPECT_TRUE(IsEnabled(controller, IDC_DEVICE_SCREENSHOT));
  Click(controller, IDC_DEVICE_SCREENSHOT);
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Device connected");
  EXPECT_TRUE(SaveScreenshot(controller, BuildFile("device_controller.png")));

  Click(controller, IDC_DEVICE_DISCONNECT);
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Device disconnected");
  ExpectButtons(controller, false);

  Click(controller, IDC_DEVICE_CONNECT);
  EXPECT_TRUE(WaitStatus(controller, "Device connected", milliseconds(5000)));
  ExpectButtons(controller, true);
  CloseController(controller);
}

TEST_F(DeviceController, EscapeAndTheCloseBoxEndTheWindowLikeClose) {
  HWND controller = OpenController();
  ASSERT_TRUE(WaitStatus(controller, "Device connected", milliseconds(5000)));
  PressKey(controller, VK_ESCAPE);
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), kControllerCaption, milliseconds(2000)));

  controller = OpenController();
  ASSERT_NE(controller, nullptr);
  CloseBox(controller);
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), kControllerCaption, milliseconds(2000)));
  EXPECT_TRUE(builder_->Running());
  EXPECT_NE(FindDialog(builder_->Id(), "Brindlecove", milliseconds(2000)), nullptr);
}

// One opening without a device walks through the whole waiting story: the
// time-out, Connect while busy, a new attempt, and Close while it waits.
TEST_F(DeviceControllerWithoutDevice, TimesOutIgnoresConnectWhileBusyAndClosesWhileWaiting) {
  const auto opened = Clock::now();
  HWND controller = OpenController();
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Connecting to device...");
  ExpectButtons(controller, false);

  Sleep(3000);
  Click(controller, IDC_DEVICE_CONNECT);
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Connecting to device...");
  ExpectButtons(controller, false);

  ASSERT_TRUE(WaitStatus(controller, "Could not connect to remote device", milliseconds(11000)));
  const auto failedAfter = Clock::now() - opened;
  EXPECT_LT(failedAfter, milliseconds(10500));
  EXPECT_GT(failedAfter, milliseconds(9000)) << "the attempt waits its 10 seconds";
  ExpectButtons(controller, false);

  // A second worker started by the busy click would fail 3 s into this attempt.
  Click(controller, IDC_DEVICE_CONNECT);
  const auto retried = Clock::now();
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Connecting to device...");
  Sleep(4500);
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Connecting to device...");

  const auto closing = Clock::now();
  CloseController(controller);
  EXPECT_LT(Clock::now() - closing, milliseconds(1500)) << "the window ends at once";
  // Past the moment the abandoned attempt would have timed out.
  std::this_thread::sleep_until(retried + milliseconds(11000));
  EXPECT_TRUE(builder_->Running());
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  controller = OpenController();
  ASSERT_NE(controller, nullptr);
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Connecting to device...");
  CloseController(controller);
}

// The earlier set-up, left pending by the time-out, is ended before the next
// one: the Remote API refuses a second set-up until then.
TEST_F(DeviceController, ConnectsOnceTheDeviceIsThereAfterATimeOut) {
  device_control_test::SetUnplugged(true);
  HWND controller = OpenController();
  ASSERT_NE(controller, nullptr);
  ASSERT_TRUE(WaitStatus(controller, "Could not connect to remote device", milliseconds(11000)));
  device_control_test::SetUnplugged(false);
  Click(controller, IDC_DEVICE_CONNECT);
  EXPECT_TRUE(WaitStatus(controller, "Device connected", milliseconds(5000))) << Text(controller, IDC_DEVICE_STATUS);
  ExpectButtons(controller, true);
  CloseController(controller);
}
