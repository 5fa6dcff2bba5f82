#pragma once
// The start-up screen: the version line, the seconds left before kiosk mode
// begins, Continue, and a code box whose right code leaves kiosk mode for
// this run. The logo is the window's painting.
#include <windows.h>

#include "device/kiosk_engine/core/engine_settings.h"
#include "device/kiosk_engine/core/screen_layout.h"
#include "device/kiosk_engine/screen_controls.h"

namespace device::kiosk_engine {

class StartupScreen {
 public:
  void Show(HWND window, const EngineSettings& settings, const StartupLayout& layout);
  void ShowSecondsLeft(unsigned seconds);
  void Hide() { controls_.DestroyAll(); }
  HWND CodeBox() const { return codeBox_; }

 private:
  ScreenControls controls_;
  HWND secondsLeft_ = nullptr;
  HWND codeBox_ = nullptr;
  Language language_ = Language::English;
  unsigned shownSeconds_ = 0;
};

}  // namespace device::kiosk_engine
