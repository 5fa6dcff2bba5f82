#pragma once
// The engine's course through one run: the start-up screen with its
// countdown, kiosk mode, and leaving it. Times are GetTickCount milliseconds,
// compared by difference so that the count's wrap after 49.7 days does not
// matter.
#include <cstdint>

#include "device/kiosk_engine/core/engine_settings.h"

namespace device::kiosk_engine {

enum class EngineStage { Startup, Kiosk, Left };

// What the engine shows, as its record names it.
enum class EngineScreen { Startup, Kiosk, Desktop };

// The longest countdown that the tick count can measure, with room for the
// typing grace; a longer AppCountdown is taken as this.
inline constexpr std::uint32_t kLongestCountdownSeconds = 0xFFFFFFFFu / 1000 - 60;
inline constexpr std::uint32_t kTypingGraceSeconds = 10;

class EngineSession {
 public:
  // Starts at the start-up screen, or in kiosk mode at once when
  // AppCountdown is 0.
  EngineSession(const EngineSettings& settings, std::uint32_t nowMs);

  EngineStage Stage() const { return stage_; }
  EngineScreen Screen() const { return screen_; }

  // The start-up screen's seconds left, rounded up; 0 once it is over.
  std::uint32_t SecondsLeft(std::uint32_t nowMs) const;
  // Begins kiosk mode when the countdown has run out; true when it did now.
  bool Tick(std::uint32_t nowMs);
  // The Continue button: begins kiosk mode; false, and nothing changes, when
  // the button is disabled or the start-up screen is over.
  bool Continue();
  // A key typed in the start-up screen's code box: the countdown then lasts
  // at least kTypingGraceSeconds more, so that the administrator is not cut
  // off, yet a device left with a half-typed code still locks.
  void ExtendCountdown(std::uint32_t nowMs);

  // A code typed at start-up or in the unlock prompt: the right one leaves
  // kiosk mode; a wrong one changes nothing (the caller shows WrongCode).
  void CodeEntered(bool right);
  // BC_EXIT_EVENT was set.
  void ExitRequested();

  // The kiosk desktop's title offers the unlock menu.
  bool OffersUnlockMenu() const;

 private:
  void BeginKiosk();

  const EngineSettings& settings_;
  EngineStage stage_ = EngineStage::Startup;
  EngineScreen screen_ = EngineScreen::Startup;
  std::uint32_t startMs_;
  std::uint32_t countdownMs_;
};

}  // namespace device::kiosk_engine
