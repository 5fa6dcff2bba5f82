#pragma once
#include "device/kiosk_engine/core/fixed_text.h"

namespace device::kiosk_engine {

// What the engine has seen, written to engine_state.txt next to it on every
// change so that tests can follow it without a window.
struct EngineState {
  bool startedWithReset = false;
  unsigned buttonPresses = 0;
  bool kioskLeft = false;
};

inline constexpr wchar_t kStateFileName[] = L"engine_state.txt";

// "started=r" or "started=plain", "buttons=N", "kiosk=on" or "kiosk=left",
// one per line, each ended by "\n".
using StateText = FixedText<char, 48>;
StateText FormatEngineState(const EngineState& state);

// The status line of the kiosk window.
using StatusText = FixedText<wchar_t, 96>;
StatusText DescribeEngineState(const EngineState& state);

// True when the engine's argument is the reset argument. The installer gives
// the argument alone ("r"); a shell puts the program's path before it, so the
// last word counts.
bool RequestsReset(const wchar_t* commandLine);

}  // namespace device::kiosk_engine
