#include "device/kiosk_engine/engine_record.h"

namespace device::kiosk_engine {

void EngineRecord::Write() const {
  const StateText text = FormatEngineState(state_);
  if (path_.Size() > 0) WriteWholeFile(path_.Get(), text.Get(), text.Size());
}

}  // namespace device::kiosk_engine
