#pragma once
// Codes that cannot be guessed: after five wrong codes in a row every entry
// is refused for 30 seconds. The count belongs to the engine's run, not to
// a prompt, so closing and reopening the prompt keeps it; a right code, and
// the end of a wait, start it again. Times are GetTickCount milliseconds,
// compared by difference.
#include <cstdint>

namespace device::kiosk_engine {

inline constexpr unsigned kWrongCodesBeforeWait = 5;
inline constexpr std::uint32_t kWrongCodeWaitMs = 30'000;

class WrongCodeGuard {
 public:
  // The seconds left before a code is taken again, rounded up; 0: now.
  std::uint32_t SecondsToWait(std::uint32_t nowMs) const;
  // A code that was taken (SecondsToWait was 0) and checked.
  void CodeChecked(bool right, std::uint32_t nowMs);

 private:
  unsigned wrongInARow_ = 0;
  bool waiting_ = false;
  std::uint32_t waitStartMs_ = 0;
};

}  // namespace device::kiosk_engine
