#include "builder/build/core/setup_template.h"

namespace builder::build {

namespace {

constexpr std::string_view kTrailingWhiteSpace = " \t\r\n\v\f";

std::string_view UpToFirstZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

std::string_view WithoutTrailingWhiteSpace(std::string_view text) {
  const size_t last = text.find_last_not_of(kTrailingWhiteSpace);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

}  // namespace

void ReplaceEvery(std::string& text, std::string_view key, std::string_view value) {
  if (key.empty()) return;
  for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size())) {
    text.replace(at, key.size(), value);
  }
}

std::string FillSetupTemplate(std::string_view templateBytes, const SetupSubstitutionList& substitutions) {
  std::string text(WithoutTrailingWhiteSpace(UpToFirstZero(templateBytes)));
  for (const auto& [key, value] : substitutions) ReplaceEvery(text, key, value);
  return text;
}

}  // namespace builder::build
