#pragma once
// The engine's control behind each control that a case names.
#include <cstdint>

#include "device/kiosk_engine/kiosk_controls.h"
#include "tests/kiosk_engine_cases/engine_cases.h"

namespace kiosk_engine_cases {

inline uint32_t ControlId(Control control) {
  namespace engine = device::kiosk_engine;
  switch (control) {
    case Control::Continue: return engine::kContinueId;
    case Control::CodeBox: case Control::PromptCodeBox: return engine::kCodeBoxId;
    case Control::CodeButton: case Control::PromptOk: return engine::kCodeOkId;
    case Control::DesktopList: return engine::kApplicationListId;
    case Control::PromptCancel: return engine::kCodeCancelId;
    case Control::Title: return engine::kDesktopTitleId;
    case Control::UnlockItem: return engine::kUnlockMenuItemId;
  }
  return 0;
}

}  // namespace kiosk_engine_cases
