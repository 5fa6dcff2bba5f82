#pragma once
// The application buttons (VK_APP1 to VK_APP6), taken from the shell so that
// a press starts nothing: the shell's hot keys are released with
// UnregisterFunc1(MOD_WIN, vk) and the kiosk window registers each instead,
// so that WM_HOTKEY comes to it and is dropped.
#include <windows.h>

namespace device::kiosk_engine {

class HardwareButtons {
 public:
  HardwareButtons() = default;
  HardwareButtons(const HardwareButtons&) = delete;
  HardwareButtons& operator=(const HardwareButtons&) = delete;

  void Take(HWND window);
  // Unregisters the kiosk window's hot keys. The shell does not register its
  // own again: the buttons start programs only after the next reset.
  void Release();

 private:
  HWND window_ = nullptr;
};

}  // namespace device::kiosk_engine
