#include "device/kiosk_engine/core/wrong_code_guard.h"

namespace device::kiosk_engine {

std::uint32_t WrongCodeGuard::SecondsToWait(std::uint32_t nowMs) const {
  const std::uint32_t elapsed = nowMs - waitStartMs_;
  if (!waiting_ || elapsed >= kWrongCodeWaitMs) return 0;
  return (kWrongCodeWaitMs - elapsed + 999) / 1000;
}

void WrongCodeGuard::CodeChecked(bool right, std::uint32_t nowMs) {
  waiting_ = false;
  wrongInARow_ = right ? 0 : wrongInARow_ + 1;
  if (wrongInARow_ < kWrongCodesBeforeWait) return;
  wrongInARow_ = 0;
  waiting_ = true;
  waitStartMs_ = nowMs;
}

}  // namespace device::kiosk_engine
