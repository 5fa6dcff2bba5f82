#include "builder/project_file/value_encoding.h"

#include <limits>

namespace builder::project_file {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsAtoiSpace(char16_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
char16_t FoldAscii(char16_t c) { return c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c + 0x20) : c; }

}  // namespace

std::u16string WideFromBytes(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (char byte : bytes) text.push_back(static_cast<char16_t>(static_cast<unsigned char>(byte)));
  return text;
}

std::string BytesFromWide(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c <= 0xFF) {
      bytes.push_back(static_cast<char>(c));
      continue;
    }
    bytes.push_back('?');
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
  }
  return bytes;
}

std::u16string EncodeInteger(int32_t value) { return WideFromBytes(std::to_string(value)); }

int32_t DecodeInteger(std::u16string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsAtoiSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    if (magnitude < kLimit) magnitude = magnitude * 10 + (text[pos] - '0');
  }
  if (magnitude > kLimit) magnitude = kLimit;
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

bool EqualsIgnoringCase(std::u16string_view text, std::string_view asciiName) {
  if (text.size() != asciiName.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (FoldAscii(text[i]) != FoldAscii(static_cast<char16_t>(asciiName[i]))) return false;
  }
  return true;
}

}  // namespace builder::project_file
