#pragma once
// The engine's diagnostic record, engine_state.txt next to the engine,
// rewritten on every change so that tests can follow it without a window.
#include "device/kiosk_engine/core/engine_state.h"
#include "device/kiosk_engine/engine_files.h"

namespace device::kiosk_engine {

class EngineRecord {
 public:
  explicit EngineRecord(const EnginePath& path) : path_(path) {}
  EngineState& State() { return state_; }
  void Write() const;

 private:
  EnginePath path_;
  EngineState state_;
};

}  // namespace device::kiosk_engine
