#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace install_tool {

// A cabinet that Build made: its file name in output\ and the processor its
// setup file names (0: any processor).
struct BuiltPackage {
  std::string name;
  uint32_t processorType = 0;
};

// The cabinets the setup information file makes, one per device target,
// named as the package tool names them. Throws package_tool::PackageError
// for a file the package tool would refuse.
std::vector<BuiltPackage> PackagesOfSetup(const std::string& infText, const std::string& infPath);

// The package for a device of that processor: the one built for it, else
// one built for any processor; nothing when none fits.
std::optional<std::string> PackageFor(const std::vector<BuiltPackage>& packages, uint32_t deviceProcessor);

// Where the package is put on the device before its installer runs.
std::wstring DevicePackagePath(const std::string& packageName);

// The device installer's command line for that package.
std::wstring InstallerCommandLine(const std::wstring& devicePath);

}  // namespace install_tool
