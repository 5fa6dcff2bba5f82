#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "package_tool/package_error.h"

namespace package_tool {

// One entry of a section: "key = field, field, ..." or just "field, field, ...".
// Fields are trimmed and unquoted; %macros% are left for MacroExpander.
struct InfLine {
  int number = 0;
  std::string key;
  std::vector<std::string> fields;

  // The field at index, or "" when the line has fewer fields.
  const std::string& Field(size_t index) const;
};

struct InfSection {
  std::string name;
  int number = 0;
  std::vector<InfLine> lines;

  // The first line whose key equals key, ignoring case; nullptr when none.
  const InfLine* FindKey(std::string_view key) const;
};

// The section whose lines are "name=text" with the text taken as it stands
// to the end of the line: no quotes, comments or macros. It carries typed
// texts that must reach the device unchanged whatever they hold.
inline constexpr std::string_view kRawStringsSection = "RawStrings";

// A setup information file: sections of lines, with the line numbers that
// error messages name.
class InfFile {
 public:
  // Throws PackageError for a line outside any section, a broken section
  // header or an unterminated quote.
  static InfFile Parse(std::string_view text, std::string fileName);

  const std::string& FileName() const { return fileName_; }
  int LineCount() const { return lineCount_; }
  const std::vector<InfSection>& Sections() const { return sections_; }

  // Section names ignore case; a name given twice joins its lines.
  const InfSection* Find(std::string_view name) const;
  // Throws "section [name] not found" at referringLine, or at the end of the
  // file when no line refers to it.
  const InfSection& Require(std::string_view name, int referringLine = 0) const;

  PackageError Error(int line, const std::string& message) const;

 private:
  std::string fileName_;
  int lineCount_ = 0;
  std::vector<InfSection> sections_;
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace package_tool
