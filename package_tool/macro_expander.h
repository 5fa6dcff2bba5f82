#pragma once
#include <map>
#include <set>
#include <string>

#include "package_tool/inf_file.h"

namespace package_tool {

// Resolves %name% in INF texts: names defined in [CEStrings] or [Strings] are
// replaced (their own macros resolved in turn), names of [RawStrings] by
// their text exactly as written, the device folders %CE1% to %CE17% stay for
// the device's installer, "%%" is one percent sign, and a percent sign that
// does not open a %name% stays as it is.
class MacroExpander {
 public:
  explicit MacroExpander(const InfFile& inf);

  // Throws "unknown macro %name%" naming line.
  std::string Expand(const std::string& text, int line) const;
  // True when text is nothing but one %name% of [RawStrings].
  bool IsRawReference(const std::string& text) const;

 private:
  const std::string& Value(const std::string& name, int line) const;

  const InfFile& inf_;
  std::map<std::string, const InfLine*> definitions_;
  std::set<std::string> rawNames_;
  mutable std::map<std::string, std::string> resolved_;
  mutable std::set<std::string> resolving_;
};

// "%CE1%" to "%CE17%", ignoring case.
bool IsDeviceFolderMacro(const std::string& name);

}  // namespace package_tool
