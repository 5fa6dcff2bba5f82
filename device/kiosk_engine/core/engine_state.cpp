#include "device/kiosk_engine/core/engine_state.h"

#include "device/engine_contract/engine_contract.h"

namespace device::kiosk_engine {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

using LaunchLine = FixedText<char, kLaunchRecordSize>;

void AppendUtf8(LaunchLine& line, std::uint32_t codePoint) {
  char bytes[4];
  std::size_t count = 0;
  if (codePoint < 0x80) {
    bytes[count++] = static_cast<char>(codePoint);
  } else {
    const std::size_t extra = codePoint < 0x800 ? 1 : codePoint < 0x10000 ? 2 : 3;
    constexpr unsigned char kLeads[] = {0, 0xC0, 0xE0, 0xF0};
    bytes[count++] = static_cast<char>(kLeads[extra] | codePoint >> (6 * extra));
    for (std::size_t i = extra; i > 0; --i) bytes[count++] = static_cast<char>(0x80 | (codePoint >> (6 * (i - 1)) & 0x3F));
  }
  line.Append(bytes, count);
}

// UTF-16 pairs are joined; a lone surrogate, which UTF-8 cannot carry, and
// anything beyond Unicode become '?'.
void AppendUtf8(LaunchLine& line, const wchar_t* text) {
  for (; *text != L'\0'; ++text) {
    std::uint32_t unit = static_cast<std::uint32_t>(*text);
    const bool high = unit >= 0xD800 && unit < 0xDC00;
    const bool low = unit >= 0xDC00 && unit < 0xE000;
    if (high && static_cast<std::uint32_t>(text[1]) >= 0xDC00 && static_cast<std::uint32_t>(text[1]) < 0xE000) {
      unit = 0x10000 + ((unit - 0xD800) << 10) + (static_cast<std::uint32_t>(*++text) - 0xDC00);
    } else if (high || low || unit > 0x10FFFF) {
      unit = '?';
    }
    AppendUtf8(line, unit);
  }
}

constexpr const char* kScreenNames[] = {"startup", "kiosk", "desktop"};

}  // namespace

void LaunchRecord::Add(const wchar_t* path, const wchar_t* params) {
  LaunchLine line;
  line.Append("launched=");
  AppendUtf8(line, path);
  if (*params != L'\0') {
    line.Append(" ");
    AppendUtf8(line, params);
  }
  line.Append("\n");
  if (!line.Whole() || line.Size() >= kLaunchRecordSize - lines_.Size()) {
    whole_ = false;
    return;
  }
  lines_.Append(line.Get());
}

StateText FormatEngineState(const EngineState& state) {
  StateText text;
  text.Append("started=").Append(state.startedWithReset ? "r" : "plain").Append("\n");
  if (state.reset != ResetOutcome::NotAsked) {
    text.Append("reset=").Append(state.reset == ResetOutcome::Requested ? "requested" : "failed").Append("\n");
  }
  text.Append("buttons=").AppendNumber(state.buttonPresses).Append("\n");
  text.Append("kiosk=").Append(state.kioskLeft ? "left" : "on").Append("\n");
  text.Append("screen=").Append(kScreenNames[static_cast<int>(state.screen)]).Append("\n");
  text.Append(state.launched.Get());
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
