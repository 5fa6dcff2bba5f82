#include "package_tool/inf_file.h"

#include <algorithm>
#include <cctype>

namespace package_tool {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Builds one field: blanks outside quotes are trimmed at both ends, text in
// quotes is kept as it is.
class FieldBuilder {
 public:
  void Add(char c, bool quoted) {
    if (!quoted && IsBlank(c) && text_.empty()) return;
    text_ += c;
    if (quoted) kept_ = text_.size();
  }
  void MarkQuoted() { kept_ = text_.size(); }
  std::string Take() {
    size_t end = text_.size();
    while (end > kept_ && IsBlank(text_[end - 1])) --end;
    std::string field = text_.substr(0, end);
    text_.clear();
    kept_ = 0;
    return field;
  }

 private:
  std::string text_;
  size_t kept_ = 0;
};

struct Tokens {
  bool hasKey = false;
  bool hasQuote = false;
  std::string key;
  std::vector<std::string> fields;
  bool Blank() const { return !hasKey && !hasQuote && fields.size() == 1 && fields[0].empty(); }
};

// Splits an entry line at commas outside quotes; "" in quotes is one quote;
// ';' outside quotes starts a comment. Returns false on an unterminated quote.
bool Tokenize(std::string_view line, Tokens& tokens) {
  FieldBuilder field;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted) {
      if (c != '"') {
        field.Add(c, true);
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        field.Add('"', true);
        ++i;
      } else {
        quoted = false;
      }
      continue;
    }
    if (c == ';') break;
    if (c == '"') {
      quoted = tokens.hasQuote = true;
      field.MarkQuoted();
    } else if (c == ',') {
      tokens.fields.push_back(field.Take());
    } else if (c == '=' && !tokens.hasKey && tokens.fields.empty()) {
      tokens.hasKey = true;
      tokens.key = field.Take();
    } else {
      field.Add(c, false);
    }
  }
  tokens.fields.push_back(field.Take());
  return !quoted;
}

std::string_view StripComment(std::string_view text) {
  size_t semicolon = text.find(';');
  return Trim(semicolon == std::string_view::npos ? text : text.substr(0, semicolon));
}

// "name=text": the text is everything behind the first '=' up to the line's
// end, blanks, quotes, commas, semicolons and percent signs included. Only
// the carriage returns of the line end go, however many the file has.
InfLine RawLine(const InfFile& inf, std::string_view raw, int number) {
  while (raw.ends_with('\r')) raw.remove_suffix(1);
  size_t equals = raw.find('=');
  if (equals == std::string_view::npos) throw inf.Error(number, "raw string without '='");
  std::string name(Trim(raw.substr(0, equals)));
  if (name.empty()) throw inf.Error(number, "raw string without a name");
  return InfLine{number, std::move(name), {std::string(raw.substr(equals + 1))}};
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

const std::string& InfLine::Field(size_t index) const {
  static const std::string kNone;
  return index < fields.size() ? fields[index] : kNone;
}

const InfLine* InfSection::FindKey(std::string_view wanted) const {
  for (const InfLine& line : lines) {
    if (EqualsIgnoringCase(line.key, wanted)) return &line;
  }
  return nullptr;
}

InfFile InfFile::Parse(std::string_view text, std::string fileName) {
  InfFile inf;
  inf.fileName_ = std::move(fileName);
  size_t current = 0;  // index + 1 of the section being read
  int number = 0;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    // The setup file holds zero-terminated texts: a zero byte would cut one.
    if (raw.find('\0') != std::string_view::npos) throw inf.Error(number, "zero byte in the line");
    std::string_view line = Trim(raw);
    if (line.starts_with('[')) {
      size_t close = line.find(']');
      if (close == std::string_view::npos) throw inf.Error(number, "section header without ']'");
      if (!StripComment(line.substr(close + 1)).empty()) {
        throw inf.Error(number, "text after the section header");
      }
      std::string name(Trim(line.substr(1, close - 1)));
      if (name.empty()) throw inf.Error(number, "section header without a name");
      auto same = std::ranges::find_if(inf.sections_,
                                       [&](const InfSection& s) { return EqualsIgnoringCase(s.name, name); });
      if (same == inf.sections_.end()) {
        inf.sections_.push_back(InfSection{name, number, {}});
        current = inf.sections_.size();
      } else {
        current = static_cast<size_t>(same - inf.sections_.begin()) + 1;
      }
      continue;
    }
    if (current != 0 && EqualsIgnoringCase(inf.sections_[current - 1].name, kRawStringsSection)) {
      if (line.empty() || line.starts_with(';')) continue;
      inf.sections_[current - 1].lines.push_back(RawLine(inf, raw, number));
      continue;
    }
    Tokens tokens;
    if (!Tokenize(line, tokens)) throw inf.Error(number, "quote not closed");
    if (tokens.Blank()) continue;
    if (current == 0) throw inf.Error(number, "line outside any section");
    inf.sections_[current - 1].lines.push_back(
        InfLine{number, std::move(tokens.key), std::move(tokens.fields)});
  }
  inf.lineCount_ = number;
  return inf;
}

const InfSection* InfFile::Find(std::string_view name) const {
  for (const InfSection& section : sections_) {
    if (EqualsIgnoringCase(section.name, name)) return &section;
  }
  return nullptr;
}

const InfSection& InfFile::Require(std::string_view name, int referringLine) const {
  if (const InfSection* section = Find(name)) return *section;
  throw Error(referringLine > 0 ? referringLine : std::max(lineCount_, 1),
              "section [" + std::string(name) + "] not found");
}

PackageError InfFile::Error(int line, const std::string& message) const {
  return PackageError(fileName_, line, message);
}

}  // namespace package_tool
