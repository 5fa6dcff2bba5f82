#include "package_tool/device_path.h"

#include <algorithm>

#include "package_tool/inf_file.h"
#include "package_tool/macro_expander.h"

namespace package_tool {

std::vector<std::string> SplitDevicePath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  if (path.starts_with('\\') && !parts.empty()) parts.front() = "\\" + parts.front();
  return parts;
}

std::optional<ShortcutFolder> LocateShortcutFolder(const std::string& folder,
                                                   const std::string& install_dir) {
  std::vector<std::string> parts = SplitDevicePath(folder);
  std::vector<std::string> install = SplitDevicePath(install_dir);
  ShortcutFolder located;
  if (parts.size() >= install.size() &&
      std::equal(install.begin(), install.end(), parts.begin(),
                 [](const auto& a, const auto& b) { return EqualsIgnoringCase(a, b); })) {
    located.rest.assign(parts.begin() + static_cast<long>(install.size()), parts.end());
    return located;
  }
  const std::string& first = parts.empty() ? std::string() : parts.front();
  if (first.size() < 3 || first.front() != '%' || first.back() != '%') return std::nullopt;
  std::string name = first.substr(1, first.size() - 2);
  if (!IsDeviceFolderMacro(name)) return std::nullopt;
  located.base = static_cast<unsigned>(std::stoul(name.substr(2)));
  located.rest.assign(parts.begin() + 1, parts.end());
  return located;
}

}  // namespace package_tool
