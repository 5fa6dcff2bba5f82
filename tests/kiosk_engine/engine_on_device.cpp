#include "tests/kiosk_engine/engine_on_device.h"

#include <gtest/gtest.h>

#include "device/engine_contract/engine_contract.h"
#include "device/kiosk_engine/kiosk_controls.h"
#include "device/bcmgr/bcmgr.h"
#include "support/library.h"
#include "support/text.h"

namespace kiosk_engine_test {

namespace contract = device::engine_contract;
using namespace device::kiosk_engine;

namespace {

void SeedRegistry(const Values& values) {
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, contract::kConfigurationRegistryKey.wide);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, contract::kConfigurationRegistryKey.wide, 0, nullptr, 0, KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    ADD_FAILURE() << "the configuration key cannot be made";
    return;
  }
  for (const Value& value : values) {
    if (const DWORD* number = std::get_if<DWORD>(&value.data)) {
      RegSetValueExW(key, value.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(number), sizeof *number);
    } else {
      const std::wstring& text = std::get<std::wstring>(value.data);
      RegSetValueExW(key, value.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
  }
  RegCloseKey(key);
}

// Writes the file, or removes it when the device has none.
void PutFile(const std::wstring& path, const std::optional<std::string>& bytes) {
  if (bytes)
    WriteWholeFile(path, *bytes);
  else
    DeleteFileW(path.c_str());
}

}  // namespace

std::wstring WideText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::vector<std::string> Lines(const std::optional<std::string>& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; text && (end = text->find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text->substr(start, end - start));
    if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
  }
  return lines;
}

EngineOnDevice::~EngineOnDevice() {
  if (process_ && process_->Running()) ExitKioskMode();
  if (process_) process_->WaitForExit();
}

void EngineOnDevice::Start(const DeviceSetup& setup) {
  SeedRegistry(setup.values);
  const std::wstring engine = Engine();
  CopyFileW(DeviceFile(L"brindlecove.exe").c_str(), engine.c_str(), FALSE);
  const std::wstring shellLibrary = kWindows + L"aygshell.dll";
  if (setup.shellLibrary)
    CopyFileW(WideWindowsPath(BC_AYGSHELL_DOUBLE).c_str(), shellLibrary.c_str(), FALSE);
  else
    DeleteFileW(shellLibrary.c_str());
  DeleteFileW(TaskbarLog().c_str());
  PutFile(File(contract::kApplicationListFileName.wide), setup.applicationList);
  PutFile(kWindows + contract::kCodeFileName.wide, setup.codeFile);
  PutFile(File(contract::kLogoFileName.wide), setup.logoFile);
  process_.emplace(support::Narrow(engine), setup.commandLine, support::Narrow(folder_.Path()));
}

bool EngineOnDevice::WaitRecord(const std::string& line) {
  return WaitUntil([&] { return Record().find(line + "\n") != std::string::npos; });
}

HWND EngineOnDevice::Window() const {
  return gui_driver::FindTopWindow(process_->Id(), [](HWND window) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return std::wstring(className) == kKioskWindowClass;
  });
}

HWND EngineOnDevice::Control(int id) const { return GetDlgItem(Window(), id); }

bool EngineOnDevice::WaitControl(int id) {
  return WaitUntil([&] { return Control(id) != nullptr && IsWindowVisible(Control(id)); });
}

std::vector<std::wstring> EngineOnDevice::ListRows() const {
  std::vector<std::wstring> rows;
  const HWND list = Control(kApplicationListId);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT row = 0; row < count; ++row) {
    wchar_t text[512] = {};
    // No entry is empty: a row that reads so belongs to a list that is going.
    if (SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text)) <= 0) return {};
    rows.push_back(text);
  }
  return rows;
}

void EngineOnDevice::TapRow(int row) {
  HWND list = Control(kApplicationListId);
  RECT item{};
  SendMessageW(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
  const LPARAM point = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(list, WM_LBUTTONUP, 0, point);
}

void EngineOnDevice::ExitKioskMode() {
  support::Library bcmgr(DeviceFile(L"bcmgr.dll"));
  const auto exitKioskMode = bcmgr.Bind<RapiBlockFunction>(contract::kExitKioskModeExport.narrow);
  DWORD outputSize = 0;
  BYTE* output = nullptr;
  ASSERT_NE(exitKioskMode, nullptr);
  EXPECT_EQ(exitKioskMode(0, nullptr, &outputSize, &output, nullptr), 0);
}

}  // namespace kiosk_engine_test
