#pragma once
// The shell's taskbar, Start icon and input panel button, through aygshell's
// SHFullScreen. aygshell is loaded by name at run time: its Pocket PC
// ordinals are not confirmed, and a device without it still gets a kiosk
// (the window covers the screen, without these calls).
#include <windows.h>

namespace device::kiosk_engine {

class Taskbar {
 public:
  Taskbar();
  ~Taskbar();
  Taskbar(const Taskbar&) = delete;
  Taskbar& operator=(const Taskbar&) = delete;

  // Hides what the kiosk does not leave; the flags say what stays.
  void Hide(HWND window, bool keepTaskbar, bool keepInputPanelButton);
  // Shows the taskbar, the Start icon and the input panel button again.
  void Show(HWND window);

 private:
  using FullScreenCall = BOOL(WINAPI*)(HWND, DWORD);
  void Call(HWND window, DWORD state);

  HMODULE aygshell_ = nullptr;
  FullScreenCall fullScreen_ = nullptr;
};

}  // namespace device::kiosk_engine
