#pragma once
// Every text the engine's screens and messages show, in the languages that
// the builder offers. The texts are UTF-16, as the device's Unicode calls take them.
#include <cstddef>

#include "device/kiosk_engine/core/fixed_text.h"

namespace device::kiosk_engine {

enum class Language { English, Spanish, Brazilian };

enum class EngineText {
  StartupCaption,       // the start-up window's title
  KioskCaption,         // the kiosk window's title
  Continue,             // the start-up screen's button
  SecondsLeft,          // "%1": the seconds left before kiosk mode begins
  Version,              // "%1": the product's version
  CodeLabel,            // the label of the start-up screen's code box
  Unlock,               // the button beside that box
  CodePromptCaption,    // the code prompt's title
  CodePrompt,           // the code prompt's question
  Ok,
  Cancel,
  WrongCode,            // the message after a wrong code
  ApplicationNotFound,  // "%1": the path of the program that could not be started
  UnlockMenuItem,       // the one item of the title's tap-and-hold menu
  CodesRefused,         // "%1": the seconds left before a code is taken again
  Count
};

// The text in the language; never null. An out-of-range value gives "".
const wchar_t* TextOf(Language language, EngineText text);

// A shown text with its one "%1" replaced; a text without "%1" is copied as it
// is. A result longer than the buffer is cut (Whole() says so).
inline constexpr std::size_t kScreenTextSize = 400;
using ScreenText = FixedText<wchar_t, kScreenTextSize>;
ScreenText FormatText(const wchar_t* pattern, unsigned number);
ScreenText FormatText(const wchar_t* pattern, const wchar_t* insert);

}  // namespace device::kiosk_engine
