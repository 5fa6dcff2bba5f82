#pragma once
#include <windows.h>

#include <string>

namespace framework {

// The framework's own box: the program's name as caption, exclamation icon, OK.
int FrameworkMessageBox(const std::string& text);

// A box raised directly, owned by a window, with the caller's caption.
int OwnedMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT buttons);

}  // namespace framework
