#include "standins/kiosk_engine/engine_state.h"

#include "device/engine_contract/engine_contract.h"

namespace standins::kiosk_engine {

std::string FormatEngineState(const EngineState& state) {
  return std::string("started=") + (state.startedWithReset ? "r" : "plain") + "\n" +
         "buttons=" + std::to_string(state.buttonPresses) + "\n" + "kiosk=" + (state.kioskLeft ? "left" : "on") +
         "\n";
}

std::wstring DescribeEngineState(const EngineState& state) {
  std::wstring text = state.kioskLeft ? L"Kiosk mode left." : L"Kiosk mode.";
  text += state.startedWithReset ? L" Started with reset (r)." : L" Started without reset.";
  text += L" Button presses: " + std::to_wstring(state.buttonPresses);
  return text;
}

bool RequestsReset(std::wstring_view commandLine) {
  constexpr std::wstring_view kBlanks = L" \t";
  const size_t lastChar = commandLine.find_last_not_of(kBlanks);
  if (lastChar == std::wstring_view::npos) return false;
  commandLine = commandLine.substr(0, lastChar + 1);
  const size_t blank = commandLine.find_last_of(kBlanks);
  const std::wstring_view lastWord = blank == std::wstring_view::npos ? commandLine : commandLine.substr(blank + 1);
  return lastWord == device::engine_contract::kEngineResetArgument.wide;
}

}  // namespace standins::kiosk_engine
