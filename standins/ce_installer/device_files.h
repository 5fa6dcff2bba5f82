#pragma once
// The device's file system as this Wine prefix plays it: the device's root is
// the drive of its Windows folder, so "\Windows\x" is C:\Windows\x. The
// files themselves are read and written with support/files.h.
#include <windows.h>

#include <string>

namespace standins::ce_installer {

// "C:" for a device path "\..."; device paths are made absolute on it.
std::wstring DeviceRoot();
std::wstring HostPath(const std::string& devicePath);

}  // namespace standins::ce_installer
