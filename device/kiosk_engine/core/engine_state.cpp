#include "device/kiosk_engine/core/engine_state.h"

#include "device/engine_contract/engine_contract.h"

namespace device::kiosk_engine {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

StateText FormatEngineState(const EngineState& state) {
  StateText text;
  text.Append("started=").Append(state.startedWithReset ? "r" : "plain").Append("\n");
  text.Append("buttons=").AppendNumber(state.buttonPresses).Append("\n");
  text.Append("kiosk=").Append(state.kioskLeft ? "left" : "on").Append("\n");
  return text;
}

StatusText DescribeEngineState(const EngineState& state) {
  StatusText text;
  text.Append(state.kioskLeft ? L"Kiosk mode left." : L"Kiosk mode.");
  text.Append(state.startedWithReset ? L" Started with reset (r)." : L" Started without reset.");
  text.Append(L" Button presses: ").AppendNumber(state.buttonPresses);
  return text;
}

bool RequestsReset(const wchar_t* commandLine) {
  const wchar_t* end = commandLine;
  while (*end != L'\0') ++end;
  while (end != commandLine && IsBlank(end[-1])) --end;
  const wchar_t* word = end;
  while (word != commandLine && !IsBlank(word[-1])) --word;
  const wchar_t* reset = device::engine_contract::kEngineResetArgument.wide;
  while (word != end && *word == *reset) {
    ++word;
    ++reset;
  }
  return word == end && *reset == L'\0';
}

}  // namespace device::kiosk_engine
