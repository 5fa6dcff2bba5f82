#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace builder::build {

// One placeholder of the setup information template and the text it becomes.
struct SetupSubstitution {
  std::string key;
  std::string value;
};
using SetupSubstitutionList = std::vector<SetupSubstitution>;

// The template's bytes up to the first zero byte, trailing white space
// removed, with each pair of the list applied in order (see ReplaceEvery).
std::string FillSetupTemplate(std::string_view templateBytes, const SetupSubstitutionList& substitutions);

// Replaces each occurrence of key from left to right; the search resumes
// behind the inserted value, so occurrences never overlap and a value is not
// searched again for the same key. An empty key changes nothing.
void ReplaceEvery(std::string& text, std::string_view key, std::string_view value);

}  // namespace builder::build
