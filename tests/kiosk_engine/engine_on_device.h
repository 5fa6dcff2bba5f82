#pragma once
// The x86 kiosk engine installed on the emulated device: a fresh folder for
// it, its configuration values in the device's registry as the installer
// stores them, its files, and its windows to drive.
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "device/engine_contract/engine_contract.h"
#include "tests/device/device_test_support.h"

namespace kiosk_engine_test {

using namespace device_test;

// A configuration value: a number or a text.
struct Value {
  std::wstring name;
  std::variant<DWORD, std::wstring> data;
};
using Values = std::vector<Value>;

// What the device holds when the engine starts.
struct DeviceSetup {
  Values values{};
  std::optional<std::string> applicationList{};  // set.alf beside the engine
  std::optional<std::string> codeFile{};  // \Windows\abce.pac
  std::optional<std::string> logoFile{};  // bce_logofile beside the engine
  bool shellLibrary = true;  // aygshell's double in \Windows
  std::string commandLine{};
};

inline const std::wstring kWindows = L"C:\\windows\\";

std::wstring WideText(HWND window);
// The lines of a text file that its writer may have ended with "\r\n".
std::vector<std::string> Lines(const std::optional<std::string>& text);

class EngineOnDevice {
 public:
  EngineOnDevice() = default;
  ~EngineOnDevice();
  EngineOnDevice(const EngineOnDevice&) = delete;
  EngineOnDevice& operator=(const EngineOnDevice&) = delete;

  void Start(const DeviceSetup& setup);
  std::wstring File(const std::wstring& name) const { return folder_.File(name); }
  std::wstring Engine() const { return File(device::engine_contract::kEngineFileName.wide); }
  std::string Record() const { return ReadWholeFile(File(L"engine_state.txt")).value_or(""); }
  bool WaitRecord(const std::string& line);
  static std::wstring TaskbarLog() { return kWindows + L"shfullscreen.log"; }
  std::vector<std::string> TaskbarCalls() const { return Lines(ReadWholeFile(TaskbarLog())); }

  HWND Window() const;
  HWND Control(int id) const;
  bool WaitControl(int id);
  std::vector<std::wstring> ListRows() const;
  // A tap on a row, as a stylus gives it: down and up over the row.
  void TapRow(int row);
  // The Device Controller's Exit Kiosk Mode, through bcmgr.
  void ExitKioskMode();
  gui_driver::Process& process() { return *process_; }

 private:
  TempFolder folder_;
  std::optional<gui_driver::Process> process_;
};

}  // namespace kiosk_engine_test
