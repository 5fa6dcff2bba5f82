#include "standins/ce_installer/device_files.h"

#include "support/text.h"

namespace standins::ce_installer {

using support::Widen;

std::wstring DeviceRoot() {
  wchar_t windows[MAX_PATH] = {};
  UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  return length >= 2 && windows[1] == L':' ? std::wstring(windows, 2) : L"C:";
}

std::wstring HostPath(const std::string& devicePath) { return DeviceRoot() + Widen(devicePath); }

}  // namespace standins::ce_installer
