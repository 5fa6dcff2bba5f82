#include "framework/integer_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace framework {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigitOrSign(char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-'; }
}  // namespace

std::optional<int32_t> ParseDialogInteger(const std::string& text) {
  const std::string head = text.substr(0, 31);
  size_t pos = 0;
  while (pos < head.size() && IsBlank(head[pos])) ++pos;
  const char* start = head.c_str() + pos;
  // strtoll would also skip form feeds, vertical tabs and line ends.
  if (!IsDigitOrSign(*start)) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(start, &end, 10);
  if (end == start) return std::nullopt;
  if (value == 0 && *start != '0') return std::nullopt;
  while (*end != '\0' && IsBlank(*end)) ++end;
  if (*end != '\0') return std::nullopt;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  return static_cast<int32_t>(value);
}

std::string FormatDecimal(int32_t value) { return std::to_string(value); }

}  // namespace framework
