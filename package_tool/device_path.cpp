#include "package_tool/device_path.h"

#include <algorithm>

#include "package_tool/inf_file.h"
#include "platform/ce_setup_file.h"

namespace package_tool {

std::vector<std::string> SplitDevicePath(const std::string& path) {
  std::vector<std::string> parts = platform::ce_setup_file::PathParts(path);
  if (path.starts_with('\\') && !parts.empty()) parts.front() = "\\" + parts.front();
  return parts;
}

std::optional<ShortcutFolder> LocateShortcutFolder(const std::string& folder, const std::string& installDir) {
  std::vector<std::string> parts = SplitDevicePath(folder);
  std::vector<std::string> install = SplitDevicePath(installDir);
  ShortcutFolder located;
  if (parts.size() >= install.size() &&
      std::equal(install.begin(), install.end(), parts.begin(),
                 [](const auto& a, const auto& b) { return EqualsIgnoringCase(a, b); })) {
    located.rest.assign(parts.begin() + static_cast<long>(install.size()), parts.end());
    return located;
  }
  const std::string& first = parts.empty() ? std::string() : parts.front();
  if (first.size() < 3 || first.front() != '%' || first.back() != '%') return std::nullopt;
  std::optional<unsigned> number = platform::ce_setup_file::DeviceFolderNumber(first.substr(1, first.size() - 2));
  if (!number) return std::nullopt;
  located.base = *number;
  located.rest.assign(parts.begin() + 1, parts.end());
  return located;
}

}  // namespace package_tool
