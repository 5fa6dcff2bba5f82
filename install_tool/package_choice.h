#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace install_tool {

struct PackageFile {
  std::string name;
  uint64_t modified = 0;  // any monotonic file time
};

// The package to install: the most recently written .cab (any case); of
// several written at the same time, the first listed.
std::optional<std::string> NewestPackage(const std::vector<PackageFile>& files);

// Where the package is put on the device before its installer runs.
std::wstring DevicePackagePath(const std::string& packageName);

// The device installer's command line for that package.
std::wstring InstallerCommandLine(const std::wstring& devicePath);

}  // namespace install_tool
