#include "build_tool/core/outcome.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace build_tool {

int ExitStatus(const std::vector<ProjectOutcome>& outcomes) {
  int status = 0;
  for (ProjectOutcome outcome : outcomes) status = std::max(status, static_cast<int>(outcome));
  return status;
}

namespace {

constexpr std::string_view kForbidden = "<>:\"/\\|?*";

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool IsDeviceName(std::string_view name) {
  const std::string stem = UpperAscii(name.substr(0, name.find('.')));
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '1' &&
         stem[3] <= '9';
}

}  // namespace

bool IsPlainFolderName(std::string_view name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || kForbidden.find(c) != std::string_view::npos) return false;
  }
  return !IsDeviceName(name);
}

}  // namespace build_tool
