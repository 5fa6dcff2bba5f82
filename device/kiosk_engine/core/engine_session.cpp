#include "device/kiosk_engine/core/engine_session.h"

namespace device::kiosk_engine {

namespace {

constexpr std::uint32_t kSecondMs = 1000;

}  // namespace

EngineSession::EngineSession(const EngineSettings& settings, std::uint32_t nowMs)
    : settings_(settings),
      startMs_(nowMs),
      countdownMs_((settings.appCountdown < kLongestCountdownSeconds ? settings.appCountdown : kLongestCountdownSeconds) *
                   kSecondMs) {
  if (countdownMs_ == 0) BeginKiosk();
}

std::uint32_t EngineSession::SecondsLeft(std::uint32_t nowMs) const {
  if (stage_ != EngineStage::Startup) return 0;
  const std::uint32_t elapsed = nowMs - startMs_;
  if (elapsed >= countdownMs_) return 0;
  const std::uint32_t left = countdownMs_ - elapsed;
  return left / kSecondMs + (left % kSecondMs != 0 ? 1 : 0);
}

bool EngineSession::Tick(std::uint32_t nowMs) {
  if (stage_ != EngineStage::Startup || nowMs - startMs_ < countdownMs_) return false;
  BeginKiosk();
  return true;
}

bool EngineSession::Continue() {
  if (stage_ != EngineStage::Startup || settings_.disableContinueButton) return false;
  BeginKiosk();
  return true;
}

void EngineSession::ExtendCountdown(std::uint32_t nowMs) {
  const std::uint32_t elapsed = nowMs - startMs_;
  if (stage_ != EngineStage::Startup || elapsed >= countdownMs_) return;
  const std::uint32_t graceEnd = elapsed + kTypingGraceSeconds * kSecondMs;
  if (graceEnd > countdownMs_) countdownMs_ = graceEnd;
}

void EngineSession::CodeEntered(bool right) {
  if (right) ExitRequested();
}

void EngineSession::ExitRequested() { stage_ = EngineStage::Left; }

bool EngineSession::OffersUnlockMenu() const {
  return stage_ == EngineStage::Kiosk && settings_.enableKioskDesktop && settings_.unlockOnTitleTap;
}

void EngineSession::BeginKiosk() {
  stage_ = EngineStage::Kiosk;
  screen_ = settings_.enableKioskDesktop ? EngineScreen::Desktop : EngineScreen::Kiosk;
}

}  // namespace device::kiosk_engine
