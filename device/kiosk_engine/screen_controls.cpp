#include "device/kiosk_engine/screen_controls.h"

namespace device::kiosk_engine {

HWND ScreenControls::Add(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                         const Rect& place) {
  if (count_ == kMostControls) return nullptr;
  HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                 place.Width(), place.Height(), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (control != nullptr) controls_[count_++] = control;
  return control;
}

void ScreenControls::DestroyAll() {
  while (count_ > 0) DestroyWindow(controls_[--count_]);
}

}  // namespace device::kiosk_engine
