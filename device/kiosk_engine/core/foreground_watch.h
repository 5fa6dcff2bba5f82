#pragma once
// The watchdog's rule: the window in front may belong to the engine or to a
// process that the engine started for an allowed application; any other
// window brings the kiosk back to the front. Processes are known by their
// ids, as the window manager reports a window's owner.
#include <cstddef>
#include <cstdint>

namespace device::kiosk_engine {

class ForegroundWatch {
 public:
  // Room for the processes of one run; when it is full the oldest start is
  // forgotten, as an application restarted often would otherwise fill it.
  static constexpr std::size_t kRemembered = 32;

  void Started(std::uint32_t process);
  // frontProcess 0: no window is in front, so nothing covers the kiosk.
  bool KioskMustComeBack(std::uint32_t frontProcess, std::uint32_t engineProcess) const;

 private:
  std::uint32_t started_[kRemembered] = {};
  std::size_t next_ = 0;  // where the next start goes, round the ring
};

}  // namespace device::kiosk_engine
