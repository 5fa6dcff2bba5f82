#include "device/kiosk_engine/startup_screen.h"

#include "device/kiosk_engine/kiosk_controls.h"
#include "engine_version.h"

namespace device::kiosk_engine {

void StartupScreen::Show(HWND window, const EngineSettings& settings, const StartupLayout& layout) {
  language_ = settings.language;
  if (settings.showVersion) {
    controls_.Add(window, L"STATIC", FormatText(TextOf(language_, EngineText::Version), L"" BC_VERSION_TEXT).Get(),
                  kCentredTextStyle, kVersionLineId, layout.version);
  }
  secondsLeft_ = controls_.Add(window, L"STATIC", L"", kCentredTextStyle, kSecondsLeftId, layout.countdown);
  shownSeconds_ = 0;
  if (!settings.disableContinueButton) {
    controls_.Add(window, L"BUTTON", TextOf(language_, EngineText::Continue), kButtonStyle, kContinueId,
                  layout.continueButton);
  }
  controls_.Add(window, L"STATIC", TextOf(language_, EngineText::CodeLabel), kTextStyle, kCodeLabelId,
                layout.codeLabel);
  codeBox_ = controls_.Add(window, L"EDIT", L"", kCodeBoxStyle, kCodeBoxId, layout.codeBox);
  controls_.Add(window, L"BUTTON", TextOf(language_, EngineText::Unlock), kButtonStyle, kCodeOkId,
                layout.codeButton);
}

void StartupScreen::ShowSecondsLeft(unsigned seconds) {
  if (seconds == shownSeconds_) return;
  shownSeconds_ = seconds;
  SetWindowTextW(secondsLeft_, FormatText(TextOf(language_, EngineText::SecondsLeft), seconds).Get());
}

}  // namespace device::kiosk_engine
