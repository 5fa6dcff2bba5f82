#pragma once
#include <optional>
#include <string>
#include <vector>

namespace package_tool {

// "%CE1%\Brindlecove" gives {"%CE1%", "Brindlecove"}; empty parts drop out,
// a leading backslash stays on the first part.
std::vector<std::string> SplitDevicePath(const std::string& path);

// Where a shortcut's folder starts, as the installer counts: 0 for the
// install folder, n for %CEn%; and the parts that follow.
struct ShortcutFolder {
  unsigned base = 0;
  std::vector<std::string> rest;
};

// nullopt when the folder is neither below a %CEn% macro nor in the install folder.
std::optional<ShortcutFolder> LocateShortcutFolder(const std::string& folder, const std::string& installDir);

}  // namespace package_tool
