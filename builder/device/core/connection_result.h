#pragma once
// How one connection attempt's wait turns into its HRESULT and status text.
#include <cstdint>
#include <optional>

namespace builder::device {

// HRESULT of the Win32 time-out error 1460.
inline constexpr int32_t kConnectionTimedOut = static_cast<int32_t>(0x800705B4);

enum class SetUpWait {
  SetUpFinished,  // the Remote API's set-up event came first
  Stopped,        // the window's stop event came first
  TimedOut,
  Failed,         // the wait itself failed
};

// The attempt's result: the set-up's own result, the time-out's, or the
// failed wait's last error as an HRESULT (0 when there is none). Nothing
// when the window stopped the attempt: then nobody hears of it.
std::optional<int32_t> ConnectionResult(SetUpWait wait, int32_t setUpResult, uint32_t waitError);

// "Device connected" for a success, "Could not connect to remote device" else.
const char* ConnectionStatusText(int32_t result);

}  // namespace builder::device
