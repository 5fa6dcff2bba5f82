#pragma once
// The test session's emulated device, seen from a test: the files in its
// \Windows folder, its marker files and its call log.
#include <string>
#include <vector>

namespace device_control_test {

// Windows path of a file in the device's \Windows folder.
std::string DeviceWindowsFile(const std::string& name);
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& content);
void RemoveFile(const std::string& path);

// The device's administrator code file.
void WriteCodeFile(const std::string& content);
// Marker files of the emulated device.
void SetSecurityPolicyDenies(bool deny);
void SetUnplugged(bool unplugged);

// One line per call the device served, oldest first.
std::vector<std::string> DeviceCalls();
// The session's device port, as the session's programs get it.
std::string DevicePort();

}  // namespace device_control_test
