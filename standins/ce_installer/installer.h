#pragma once
// Installing a cabinet and removing an installed application, as the CE
// installer does: extract and read everything first, ask the setup library,
// then change the device so that a failure takes every change back.
#include <windows.h>

#include <string>

namespace standins::ce_installer {

struct Outcome {
  bool succeeded = true;
  std::string detail;    // why it failed, for the log
  std::wstring message;  // told to the user; empty when the setup library already decided
};

// Device paths of the installer's bookkeeping.
std::string InstallRecordPath(const std::string& appName);  // \Windows\AppMgr\<AppName>.txt
std::string KeptSetupLibraryPath(const std::string& appName);  // \Windows\AppMgr\<AppName>.dll

Outcome InstallPackage(const std::wstring& cabinetPath, HWND parent);
Outcome RemoveApplication(const std::wstring& appName, HWND parent);

}  // namespace standins::ce_installer
