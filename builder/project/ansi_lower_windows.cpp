// Lower case in the system's ANSI code page, as the desktop's own string
// functions see it.
#include <windows.h>

#include <cstring>

#include "builder/project/application_list.h"

namespace builder::project {

namespace {

// Lowers one character of the code page (one byte, or a lead byte and its
// trail byte) in place, when its lower case takes the same number of bytes.
void LowerCharacter(char* bytes, int size) {
  wchar_t wide = 0;
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, size, &wide, 1) != 1) return;
  wchar_t lower = wide;
  CharLowerBuffW(&lower, 1);
  if (lower == wide) return;
  char lowered[2] = {};
  wchar_t back = 0;
  if (WideCharToMultiByte(CP_ACP, 0, &lower, 1, lowered, size, nullptr, nullptr) != size ||
      MultiByteToWideChar(CP_ACP, 0, lowered, size, &back, 1) != 1 || back != lower) {
    return;  // the code page has no such lower case
  }
  std::memcpy(bytes, lowered, static_cast<size_t>(size));
}

}  // namespace

std::string LowerAnsi(std::string text) {
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {  // ASCII is the same in every ANSI code page
      if (byte >= 'A' && byte <= 'Z') text[i] = static_cast<char>(byte + ('a' - 'A'));
      ++i;
      continue;
    }
    // A trail byte may look like an ASCII letter; it is lowered only with its lead byte.
    const int size = IsDBCSLeadByte(byte) && i + 1 < text.size() ? 2 : 1;
    LowerCharacter(&text[i], size);
    i += static_cast<size_t>(size);
  }
  return text;
}

}  // namespace builder::project
