#pragma once
// The prompt for the administrator code, over the kiosk desktop.
#include <windows.h>

#include "device/kiosk_engine/core/engine_texts.h"
#include "device/kiosk_engine/core/screen_layout.h"
#include "device/kiosk_engine/screen_controls.h"

namespace device::kiosk_engine {

class CodePrompt {
 public:
  void Show(HWND window, Language language, const CodePromptLayout& layout);
  void Hide() {
    controls_.DestroyAll();
    codeBox_ = nullptr;
  }
  bool Shown() const { return codeBox_ != nullptr; }
  HWND CodeBox() const { return codeBox_; }

 private:
  ScreenControls controls_;
  HWND codeBox_ = nullptr;
};

// The right code, as bcmgr compares it with \Windows\abce.pac; the box is
// emptied either way. A code file that cannot be read accepts no code.
bool CodeIsRight(HWND codeBox);

}  // namespace device::kiosk_engine
