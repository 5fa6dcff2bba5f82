#pragma once
#include "device/kiosk_engine/core/engine_session.h"
#include "device/kiosk_engine/core/fixed_text.h"

namespace device::kiosk_engine {

// The programs started, as "launched=PATH PARAMS" lines in UTF-8 (PATH
// alone without parameters). A launch whose line no longer fits is left out
// whole, so the record holds the first launches.
inline constexpr std::size_t kLaunchRecordSize = 1024;
class LaunchRecord {
 public:
  void Add(const wchar_t* path, const wchar_t* params);
  const char* Get() const { return lines_.Get(); }
  bool Whole() const { return whole_; }

 private:
  FixedText<char, kLaunchRecordSize> lines_;
  bool whole_ = true;
};

// The device reset that "r" asks for: not asked, asked of the platform, or
// refused by both of its calls (the engine then goes on into kiosk mode).
enum class ResetOutcome { NotAsked, Requested, Failed };

// What the engine has seen, written to engine_state.txt next to it on every
// change so that tests can follow it without a window. It never holds a
// typed code.
struct EngineState {
  bool startedWithReset = false;
  unsigned buttonPresses = 0;
  bool kioskLeft = false;
  EngineScreen screen = EngineScreen::Startup;
  LaunchRecord launched{};
  ResetOutcome reset = ResetOutcome::NotAsked;
};

inline constexpr wchar_t kStateFileName[] = L"engine_state.txt";

// "started=r" or "started=plain", then "reset=requested" or "reset=failed"
// once a reset was asked for, "buttons=N", "kiosk=on" or "kiosk=left",
// "screen=startup", "screen=kiosk" or "screen=desktop", then the launched
// lines, one per line, each ended by "\n".
using StateText = FixedText<char, kLaunchRecordSize + 80>;
StateText FormatEngineState(const EngineState& state);

// True when the engine's argument is the reset argument. The installer gives
// the argument alone ("r"); a shell puts the program's path before it, so the
// last word counts.
bool RequestsReset(const wchar_t* commandLine);

}  // namespace device::kiosk_engine
