#include "device/kiosk_engine/core/foreground_watch.h"

namespace device::kiosk_engine {

void ForegroundWatch::Started(std::uint32_t process) {
  started_[next_] = process;
  next_ = (next_ + 1) % kRemembered;
}

bool ForegroundWatch::KioskMustComeBack(std::uint32_t frontProcess, std::uint32_t engineProcess) const {
  if (frontProcess == 0 || frontProcess == engineProcess) return false;
  for (std::uint32_t process : started_) {
    if (process == frontProcess) return false;
  }
  return true;
}

}  // namespace device::kiosk_engine
