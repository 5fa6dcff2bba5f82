#include "builder/device/core/connection_result.h"

#include "builder/device/core/device_texts.h"

namespace builder::device {

std::optional<int32_t> ConnectionResult(SetUpWait wait, int32_t setUpResult, uint32_t waitError) {
  switch (wait) {
    case SetUpWait::SetUpFinished:
      return setUpResult;
    case SetUpWait::Stopped:
      return std::nullopt;
    case SetUpWait::TimedOut:
      return kConnectionTimedOut;
    case SetUpWait::Failed:
      break;
  }
  if (waitError == 0) return 0;
  return static_cast<int32_t>(0x80070000u | (waitError & 0xFFFFu));
}

const char* ConnectionStatusText(int32_t result) { return result < 0 ? kStatusConnectFailed : kStatusConnected; }

}  // namespace builder::device
