#include "framework/message_box.h"

#include "framework/module_path.h"

namespace framework {

int FrameworkMessageBox(const std::string& text) {
  HWND owner = GetActiveWindow();
  return MessageBoxA(owner, text.c_str(), ProgramName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

int OwnedMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT buttons) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), buttons);
}

}  // namespace framework
