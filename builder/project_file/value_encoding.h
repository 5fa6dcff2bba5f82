#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace builder::project_file {

// The builder's 8-bit text as 16-bit text: byte n becomes character U+00nn.
std::u16string WideFromBytes(std::string_view bytes);
// Back to 8-bit text: a character up to U+00FF becomes the byte of the same
// number. A character above it has no 8-bit form and becomes '?', so the rest
// of the text is kept (a surrogate pair is one character).
std::string BytesFromWide(std::u16string_view text);

// "%d"
std::u16string EncodeInteger(int32_t value);
// The C library's atoi rule: white space, an optional sign, then the digits up
// to the first other character; no digits reads as 0. Clamped to 32 bits.
int32_t DecodeInteger(std::u16string_view text);

// Compares with an ASCII name, folding the case of ASCII letters only.
bool EqualsIgnoringCase(std::u16string_view text, std::string_view asciiName);

}  // namespace builder::project_file
