#pragma once
// Text between a code page's bytes (the ANSI code page unless named) and
// UTF-16.
#include <windows.h>

#include <string>
#include <string_view>

namespace support {

std::wstring Widen(std::string_view text, UINT codePage = CP_ACP);
std::string Narrow(std::wstring_view text, UINT codePage = CP_ACP);

}  // namespace support
