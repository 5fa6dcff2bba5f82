#pragma once
// The child controls of one screen of the kiosk window: created together at
// the places the layout gives, removed together when the screen goes.
#include <windows.h>

#include "device/kiosk_engine/core/screen_layout.h"

namespace device::kiosk_engine {

class ScreenControls {
 public:
  ScreenControls() = default;
  ScreenControls(const ScreenControls&) = delete;
  ScreenControls& operator=(const ScreenControls&) = delete;

  // A visible child of the window; null when it could not be made.
  HWND Add(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, const Rect& place);
  // The window's own destruction takes its children with it.
  void DestroyAll();

 private:
  static constexpr int kMostControls = 8;
  HWND controls_[kMostControls] = {};
  int count_ = 0;
};

// Standard control styles, as the screens use them.
inline constexpr DWORD kTextStyle = SS_LEFT;
inline constexpr DWORD kCentredTextStyle = SS_CENTER;
inline constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;
// The code is never shown in clear.
inline constexpr DWORD kCodeBoxStyle = ES_PASSWORD | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

}  // namespace device::kiosk_engine
