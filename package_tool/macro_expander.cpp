#include "package_tool/macro_expander.h"

#include <cctype>

#include "platform/ce_setup_file.h"

namespace package_tool {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string JoinFields(const InfLine& line) {
  std::string joined;
  for (size_t i = 0; i < line.fields.size(); ++i) joined += (i ? "," : "") + line.fields[i];
  return joined;
}

}  // namespace

bool IsDeviceFolderMacro(const std::string& name) {
  return platform::ce_setup_file::DeviceFolderNumber(name).has_value();
}

MacroExpander::MacroExpander(const InfFile& inf) : inf_(inf) {
  for (std::string_view sectionName :
       {std::string_view("CEStrings"), std::string_view("Strings"), kRawStringsSection}) {
    const InfSection* section = inf.Find(sectionName);
    if (section == nullptr) continue;
    bool raw = sectionName == kRawStringsSection;
    for (const InfLine& line : section->lines) {
      if (line.key.empty()) throw inf.Error(line.number, "string entry without a name");
      if (definitions_.emplace(Lower(line.key), &line).second && raw) rawNames_.insert(Lower(line.key));
    }
  }
}

bool MacroExpander::IsRawReference(const std::string& text) const {
  return text.size() > 2 && text.front() == '%' && text.back() == '%' &&
         rawNames_.contains(Lower(text.substr(1, text.size() - 2)));
}

std::string MacroExpander::Expand(const std::string& text, int line) const {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t end = i + 1;
    while (end < text.size() && IsNameChar(text[end])) ++end;
    if (end == i + 1 || end == text.size() || text[end] != '%') {
      out += '%';
      continue;
    }
    std::string name = text.substr(i + 1, end - i - 1);
    out += IsDeviceFolderMacro(name) ? "%" + name + "%" : Value(name, line);
    i = end;
  }
  return out;
}

const std::string& MacroExpander::Value(const std::string& name, int line) const {
  std::string lower = Lower(name);
  if (auto done = resolved_.find(lower); done != resolved_.end()) return done->second;
  auto definition = definitions_.find(lower);
  if (definition == definitions_.end()) throw inf_.Error(line, "unknown macro %" + name + "%");
  const InfLine& defining = *definition->second;
  if (rawNames_.contains(lower)) return defining.Field(0);
  if (!resolving_.insert(lower).second) {
    throw inf_.Error(defining.number, "macro %" + name + "% refers to itself");
  }
  std::string value = Expand(JoinFields(defining), defining.number);
  resolving_.erase(lower);
  return resolved_[lower] = std::move(value);
}

}  // namespace package_tool
