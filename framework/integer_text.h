#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace framework {

// Reads an integer the way the dialog data exchange does: only the first 31
// characters count, blanks and tabs around the number are skipped, the rest
// must be one signed decimal number, and a zero is only taken when the number
// begins with the digit 0 (so an empty text fails). Out-of-range numbers are
// clamped to the 32-bit range, as the C library's strtol does.
std::optional<int32_t> ParseDialogInteger(const std::string& text);

// "%d"
std::string FormatDecimal(int32_t value);

}  // namespace framework
