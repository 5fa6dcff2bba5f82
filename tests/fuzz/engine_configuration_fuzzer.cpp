// The kiosk engine's configuration on any bytes: registry values taken from
// the front of the input (type byte, 16-bit size, data, for each value read
// in turn), set.alf from the rest; then what it starts, lists and records.
#include <cstdint>
#include <cstring>

#include "device/kiosk_engine/core/engine_state.h"
#include "device/kiosk_engine/core/launch_plan.h"

namespace {

using namespace device::kiosk_engine;

class InputValues final : public SettingValues {
 public:
  InputValues(const uint8_t* data, size_t size) : at_(data), left_(size) {}

  bool Read(const wchar_t*, unsigned long& type, unsigned char* data, unsigned long& size) override {
    if (left_ < 3) return false;
    type = at_[0];
    const size_t valueSize = at_[1] | at_[2] << 8;
    Skip(3);
    const size_t taken = valueSize < left_ ? valueSize : left_;
    const uint8_t* value = at_;
    Skip(taken);
    if (taken > size) return false;
    std::memcpy(data, value, taken);
    size = static_cast<unsigned long>(taken);
    return true;
  }
  const uint8_t* Rest() const { return at_; }
  size_t RestSize() const { return left_; }

 private:
  void Skip(size_t count) {
    at_ += count;
    left_ -= count;
  }
  const uint8_t* at_;
  size_t left_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InputValues values(data, size);
  const EngineSettings settings = ReadEngineSettings(values);
  const char* list = reinterpret_cast<const char*>(values.Rest());
  EngineState state;
  StartupLaunches launches(settings, list, values.RestSize());
  for (Launch launch; launches.Next(launch);) state.launched.Add(launch.path.Get(), launch.params.Get());
  DesktopEntries entries(list, values.RestSize());
  size_t count = 0;
  for (DesktopEntry entry; entries.Next(entry);) ++count;
  DesktopEntry last;
  if (DesktopEntryAt(list, values.RestSize(), count, last)) __builtin_trap();
  if (count > 0 && !DesktopEntryAt(list, values.RestSize(), count - 1, last)) __builtin_trap();
  FormatEngineState(state);
  return 0;
}
