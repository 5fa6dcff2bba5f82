#pragma once
// A window's or control's whole text, in the ANSI code page.
#include <windows.h>

#include <string>

namespace support {

std::string WindowText(HWND window);

}  // namespace support
