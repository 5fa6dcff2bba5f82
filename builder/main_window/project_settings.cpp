#include "builder/main_window/project_settings.h"

#include <cctype>

namespace builder::main_window {

void AppendKeypadDigit(std::string& admincode, char digit) {
  if (admincode.size() < kAdminCodeDigits) admincode.push_back(digit);
}

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

size_t LanguageIndex(std::string_view name) {
  for (size_t index = 0; index < kLanguageTable.size(); ++index) {
    if (SameIgnoringCase(name, kLanguageTable[index])) return index;
  }
  return 0;
}

}  // namespace builder::main_window
