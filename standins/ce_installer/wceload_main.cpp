// wceload.exe: the device's package installer, standing in for the CE one.
//   wceload <package.cab>          installs the package
//   wceload /uninstall <AppName>   removes an installed application
// Shows nothing but a message when it fails; exits 0 on success, 1 on
// failure, 2 on a bad command line. Each run appends one line to
// \Windows\wceload.log: "success install Brindlecove.PPC_ARM.CAB" or
// "failure install Brindlecove.PPC_ARM.CAB: <why>" (likewise "uninstall <AppName>").
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "standins/ce_installer/device_files.h"
#include "standins/ce_installer/installer.h"
#include "support/text.h"

namespace {

using support::Narrow;

using namespace standins::ce_installer;

constexpr wchar_t kCaption[] = L"Installation";
constexpr wchar_t kUsage[] = L"Usage: wceload <package.cab> | wceload /uninstall <application name>";
constexpr char kLogPath[] = "\\Windows\\wceload.log";

std::vector<std::wstring> Arguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> list;
  for (int i = 1; arguments != nullptr && i < count; ++i) list.emplace_back(arguments[i]);
  LocalFree(arguments);
  return list;
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

void AppendToLog(const std::string& line) {
  HANDLE log = CreateFileW(HostPath(kLogPath).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(log);
}

// The setup library's questions need an owner; the installer shows no window of its own.
class HiddenOwner {
 public:
  HiddenOwner()
      : window_(CreateWindowExW(0, L"STATIC", kCaption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
  ~HiddenOwner() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  HiddenOwner(const HiddenOwner&) = delete;
  HiddenOwner& operator=(const HiddenOwner&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  const std::vector<std::wstring> arguments = Arguments();
  const bool removal = arguments.size() == 2 && _wcsicmp(arguments[0].c_str(), L"/uninstall") == 0;
  if (!removal && arguments.size() != 1) {
    MessageBoxW(nullptr, kUsage, kCaption, MB_OK | MB_ICONERROR);
    return 2;
  }
  // Device paths ("\Program Files\...") that the setup library uses resolve on the device's root.
  SetCurrentDirectoryW((DeviceRoot() + L"\\").c_str());
  HiddenOwner owner;
  const Outcome outcome =
      removal ? RemoveApplication(arguments[1], owner.get()) : InstallPackage(arguments[0], owner.get());
  const std::string subject = std::string(removal ? "uninstall " : "install ") +
                              Narrow(removal ? arguments[1] : FileNameOf(arguments[0]));
  AppendToLog((outcome.succeeded ? "success " : "failure ") + subject +
              (outcome.succeeded ? std::string() : ": " + outcome.detail));
  if (!outcome.message.empty()) MessageBoxW(nullptr, outcome.message.c_str(), kCaption, MB_OK | MB_ICONERROR);
  return outcome.succeeded ? 0 : 1;
}
