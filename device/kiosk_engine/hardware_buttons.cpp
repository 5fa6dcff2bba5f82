#include "device/kiosk_engine/hardware_buttons.h"

#include "device/ce_platform.h"

namespace device::kiosk_engine {

namespace {

constexpr UINT kFirstButton = 0xC1;  // VK_APP1
constexpr UINT kLastButton = 0xC6;   // VK_APP6
constexpr UINT kWindowsKey = 0x0008;  // MOD_WIN, with which the shell registers them

// The button's virtual key is its hot key's id.
int HotKeyId(UINT button) { return static_cast<int>(button); }

}  // namespace

void HardwareButtons::Take(HWND window) {
  window_ = window;
  for (UINT button = kFirstButton; button <= kLastButton; ++button) {
    UnregisterFunc1(kWindowsKey, button);
    RegisterHotKey(window_, HotKeyId(button), kWindowsKey, button);
  }
}

void HardwareButtons::Release() {
  if (window_ == nullptr) return;
  for (UINT button = kFirstButton; button <= kLastButton; ++button) UnregisterHotKey(window_, HotKeyId(button));
  window_ = nullptr;
}

}  // namespace device::kiosk_engine
