#include "install_tool/package_choice.h"

#include <algorithm>

namespace install_tool {

namespace {

bool IsCab(const std::string& name) {
  if (name.size() < 4) return false;
  std::string extension = name.substr(name.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".cab";
}

}  // namespace

std::optional<std::string> NewestPackage(const std::vector<PackageFile>& files) {
  const PackageFile* newest = nullptr;
  for (const auto& file : files) {
    if (IsCab(file.name) && (!newest || file.modified > newest->modified)) newest = &file;
  }
  if (!newest) return std::nullopt;
  return newest->name;
}

std::wstring DevicePackagePath(const std::string& packageName) {
  // Package names are the package tool's own, plain ASCII.
  return L"\\Windows\\" + std::wstring(packageName.begin(), packageName.end());
}

std::wstring InstallerCommandLine(const std::wstring& devicePath) { return L"\"" + devicePath + L"\""; }

}  // namespace install_tool
