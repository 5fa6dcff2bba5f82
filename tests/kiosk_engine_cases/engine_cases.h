#pragma once
// The kiosk engine's cases, for each of its builds: what a device holds
// (configuration values, set.alf, the code file, the logo, the screen), what
// happens while the engine runs, and what it must have shown, started and
// recorded. Free of any one device's harness, so that the ARM engine on the
// emulated device and the x86 engine under Wine are held to the same table.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kiosk_engine_cases {

// A value under HKLM\Software\Brindlecove: REG_DWORD or REG_SZ.
struct Value {
  std::u16string name;
  std::variant<uint32_t, std::u16string> data;
};

// What the engine's screens offer a user; each harness finds them by the
// engine's control ids.
enum class Control { Continue, CodeBox, CodeButton, DesktopList, PromptCodeBox, PromptOk, PromptCancel, Title, UnlockItem };

// Something that happens while the engine runs: atMs after it started, or
// (atMs 0) the next time it waits.
struct Step {
  enum class Kind { ExitEvent, ButtonEvent, Tap, Type, StartEntry, EndProgram, ApplicationButton, Hold, OtherWindow };
  Kind kind;
  uint32_t atMs = 0;
  Control control = Control::Continue;
  std::u16string text{};  // what is typed, or the program that ends
  int entry = -1;       // the desktop's line, 0 first, or the application button's key
  uint32_t exitCode = 0;
};
inline Step ExitEvent(uint32_t atMs = 0) { return {Step::Kind::ExitEvent, atMs}; }
inline Step ButtonEvent(uint32_t atMs = 0) { return {Step::Kind::ButtonEvent, atMs}; }
inline Step Tap(Control control, uint32_t atMs = 0) { return {Step::Kind::Tap, atMs, control}; }
inline Step Type(Control control, std::u16string text) { return {Step::Kind::Type, 0, control, std::move(text)}; }
// A tap on the desktop's line starts it.
inline Step StartEntry(int entry) { return {Step::Kind::StartEntry, 0, Control::DesktopList, {}, entry}; }
// Another program's window comes to the front.
inline Step OtherWindowInFront() { return {Step::Kind::OtherWindow}; }
inline Step Hold(Control control) { return {Step::Kind::Hold, 0, control}; }
inline Step ApplicationButton(int key) { return {Step::Kind::ApplicationButton, 0, Control::Continue, {}, key}; }
inline Step EndProgram(std::u16string program, uint32_t atMs) {
  return {Step::Kind::EndProgram, atMs, Control::Continue, std::move(program), -1, 1};
}

struct Launch {
  std::u16string path;
  std::u16string params;
  bool operator==(const Launch&) const = default;
};

enum class Logo { None, Centred, Stretched };

struct EngineCase {
  std::string what{};
  // The device.
  std::vector<Value> values{};
  std::optional<std::string> applicationList{};  // set.alf beside the engine
  std::optional<std::string> codeFile{};  // \Windows\abce.pac
  bool logoFile = false;  // a 64x48 BMP as bce_logofile
  int screenWidth = 240, screenHeight = 320;
  bool shellLibrary = true;  // aygshell.dll
  bool engineRunning = false;  // another engine's kiosk window is there
  std::u16string commandLine{};  // the engine's arguments
  std::optional<uint32_t> powerStateAnswer = 0u;  // SetSystemPowerState's; none: no power manager
  bool halResetGranted = true;  // KernelIoControl(IOCTL_HAL_REBOOT)
  std::vector<Step> steps{};
  // What it must do.
  std::vector<std::u16string> shown{};  // texts that some screen showed
  std::vector<std::u16string> neverShown{};  // texts that no screen showed
  std::vector<std::u16string> desktopList{};  // the desktop's lines, in order; empty: no desktop
  std::vector<Launch> launched{};  // the programs started, in order
  std::vector<std::u16string> messages{};  // the message boxes' texts, in order
  Logo logo = Logo::None;
  bool taskbarHidden = true;  // while in kiosk mode; shown again on leaving
  bool broughtToFront = false;  // by a button event or the watchdog
  uint32_t exitCode = 0;
  std::vector<std::string> hotKeyCalls{};  // "UnregisterFunc1 C1", "RegisterHotKey C1", "UnregisterHotKey C1"
  uint32_t shellButtonPresses = 0;  // button presses that reached the shell
  std::vector<std::string> resetCalls{};  // "SetSystemPowerState", "KernelIoControl", in order
  std::vector<std::string> recordLines{};  // lines of the last engine_state.txt
  uint32_t messagesAtLeast = 0;  // dispatched by the engine
  // Runs only on the emulated device, whose clock and screen a case sets; the
  // reason stands beside each such case.
  bool emulatorOnly = false;
};

inline constexpr uint32_t kLogoWidth = 64, kLogoHeight = 48;
inline constexpr uint8_t kLogoGrey = 0x7f;

// The logo as a BMP file of 24-bit pixels, all kLogoGrey: the file header,
// BITMAPINFOHEADER, the rows.
inline std::string LogoFile() {
  const uint32_t rowSize = (3 * kLogoWidth + 3) & ~3u, pixels = rowSize * kLogoHeight;
  std::string bytes = "BM";
  const auto put = [&](uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i));
  };
  for (const auto& [value, size] : std::initializer_list<std::pair<uint32_t, int>>{
           {54 + pixels, 4}, {0, 4}, {54, 4}, {40, 4}, {kLogoWidth, 4}, {kLogoHeight, 4}, {1, 2}, {24, 2}, {0, 4},
           {pixels, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}})
    put(value, size);
  return bytes + std::string(pixels, static_cast<char>(kLogoGrey));
}
inline const std::u16string kMainApplication = u"\\Program Files\\Shop\\shop.exe";
inline const std::u16string kWord = u"\\Windows\\pword.exe";
inline const std::u16string kNotes = u"\\Windows\\notes.exe";
// Word launches at start-up and is listed; Calc is hidden; Notes is listed.
inline const std::string kList =
    "1;0;Word;\\Windows\\pword.exe;-n;0;1;Calc;\\Windows\\calc.exe;;0;0;Notes;\\Windows\\notes.exe;/x y;";
inline const std::vector<std::u16string> kPrograms = {kMainApplication, kWord, kNotes, u"\\Windows\\calc.exe"};

// The six application buttons taken from the shell, each in turn, then released.
inline std::vector<std::string> ButtonsTakenAndReleased() {
  std::vector<std::string> taken, released;
  for (const char* key : {"C1", "C2", "C3", "C4", "C5", "C6"}) {
    taken.insert(taken.end(), {std::string("UnregisterFunc1 ") + key, std::string("RegisterHotKey ") + key});
    released.push_back(std::string("UnregisterHotKey ") + key);
  }
  taken.insert(taken.end(), released.begin(), released.end());
  return taken;
}

// Five wrong codes and the right one at once at the start-up screen, then
// the right one again at atMs.
inline std::vector<Step> WrongCodesThenTheRightOne(uint32_t atMs, const std::vector<Step>& then = {}) {
  std::vector<Step> steps;
  for (int i = 0; i < 5; ++i) steps.insert(steps.end(), {Type(Control::CodeBox, u"1"), Tap(Control::CodeButton)});
  steps.insert(steps.end(), {Type(Control::CodeBox, u"4711"), Tap(Control::CodeButton), Type(Control::CodeBox, u"4711"),
                             Tap(Control::CodeButton, atMs)});
  steps.insert(steps.end(), then.begin(), then.end());
  return steps;
}
// The title held open the prompt twice: three wrong codes, Cancel, two more
// and the right one.
inline std::vector<Step> WrongCodesAcrossTwoPrompts() {
  std::vector<Step> steps;
  for (const auto& [atMs, codes] : {std::pair{2000u, std::vector<std::u16string>{u"1", u"2", u"3"}},
                                    std::pair{5000u, std::vector<std::u16string>{u"4", u"5", u"4711"}}}) {
    steps.insert(steps.end(), {Hold(Control::Title), Tap(Control::UnlockItem, atMs)});
    for (const std::u16string& code : codes)
      steps.insert(steps.end(), {Type(Control::PromptCodeBox, code), Tap(Control::PromptOk)});
    steps.push_back(Tap(Control::PromptCancel));
  }
  steps.push_back(ExitEvent());
  return steps;
}
// Their messages: five wrong ones, the refusal, and what the last entry gets.
inline std::vector<std::u16string> TheWrongCodesMessages(const std::u16string& refused, const std::u16string& last = u"",
                                                         const std::u16string& wrong = u"Wrong code.") {
  std::vector<std::u16string> messages(5, wrong);
  messages.push_back(refused);
  if (!last.empty()) messages.push_back(last);
  return messages;
}

inline const std::string kPowerCall = "SetSystemPowerState", kHalCall = "KernelIoControl";

// A kiosk without its start-up screen, with the main application.
inline std::vector<Value> Kiosk(std::vector<Value> more = {}) {
  std::vector<Value> values = {{u"AppCountdown", 0u}, {u"AppPath", kMainApplication}, {u"AppParams", u"-k"}};
  values.insert(values.end(), more.begin(), more.end());
  return values;
}

// version: the product's, as the file VERSION holds it.
inline std::vector<EngineCase> EngineCases(const std::u16string& version) {
  const std::vector<Value> desktop = Kiosk({{u"EnableKioskDesktop", 1u}, {u"KioskDesktopTitle", u"Shop"}});
  const Launch main{kMainApplication, u"-k"}, word{kWord, u"-n"};
  std::vector<EngineCase> cases = {
      {.what = "start-up screen with its defaults: version and Continue, then kiosk mode on Continue",
       .values = {{u"AppCountdown", 5u}},
       .steps = {Tap(Control::Continue), ExitEvent()},
       .shown = {u"Continue", u"Version " + version},
       .recordLines = {"kiosk=left", "screen=kiosk"}},
      {.what = "start-up screen without version or Continue; the count ends it",
       .values = {{u"AppCountdown", 3u}, {u"ShowVersion", 0u}, {u"DisableContinueButton", 1u}},
       .steps = {ExitEvent(4000)},
       .neverShown = {u"Continue", u"Version " + version}},
      {.what = "logo centred", .values = {{u"AppCountdown", 2u}, {u"ShowLogo", 1u}}, .logoFile = true,
       .steps = {ExitEvent(3000)}, .logo = Logo::Centred},
      {.what = "logo fitted to the screen",
       .values = {{u"AppCountdown", 2u}, {u"ShowLogo", 1u}, {u"FitLogoToScreen", 1u}}, .logoFile = true,
       .steps = {ExitEvent(3000)}, .logo = Logo::Stretched},
      {.what = "no logo without ShowLogo", .values = {{u"AppCountdown", 2u}}, .logoFile = true,
       .steps = {ExitEvent(3000)}},
      {.what = "a missing logo shows none", .values = {{u"AppCountdown", 2u}, {u"ShowLogo", 1u}},
       .steps = {ExitEvent(3000)}},
      {.what = "countdown 0 goes straight to kiosk mode and starts what launches at start-up",
       .values = Kiosk(), .applicationList = kList, .steps = {ExitEvent()},
       .neverShown = {u"Continue"}, .launched = {main, word},
       .recordLines = {"screen=kiosk", "launched=\\Windows\\pword.exe -n"}},
      {.what = "the desktop lists the entries not hidden, in file order, and a tap starts one with its parameters",
       .values = desktop, .applicationList = kList, .steps = {StartEntry(1), ExitEvent()},
       .shown = {u"Shop"}, .desktopList = {u"Word", u"Notes"},
       .launched = {main, word, {kNotes, u"/x y"}}, .recordLines = {"screen=desktop"}},
      {.what = "the main application restarts after its delay",
       .values = Kiosk({{u"RestartDelay", 5u}}),
       .steps = {EndProgram(kMainApplication, 1000), ExitEvent(6500)},
       .launched = {main, main}},
      {.what = "not before its delay",
       .values = Kiosk({{u"RestartDelay", 5u}}), .steps = {EndProgram(kMainApplication, 1000), ExitEvent(5900)},
       .launched = {main}},
      {.what = "65535 never restarts it",
       .values = Kiosk({{u"RestartDelay", 65535u}}),
       .steps = {EndProgram(kMainApplication, 1000), ExitEvent(66'000'000)},  // past 65535 seconds
       .launched = {main}, .emulatorOnly = true},  // 18 hours of device time
      {.what = "a wrong code gets its message; the right one leaves at start-up",
       .values = {{u"AppCountdown", 30u}}, .codeFile = "4711",
       .steps = {Type(Control::CodeBox, u"471"), Tap(Control::CodeButton), Type(Control::CodeBox, u"4711"),
                 Tap(Control::CodeButton)},
       .messages = {u"Wrong code."}, .recordLines = {"kiosk=left"}},
      {.what = "five wrong codes refuse the sixth, though right, until 30 s have passed; then it leaves",
       .values = {{u"AppCountdown", 600u}}, .codeFile = "4711", .steps = WrongCodesThenTheRightOne(31'000),
       .messages = TheWrongCodesMessages(u"Too many wrong codes. Wait 30 s."),
       .recordLines = {"kiosk=left"}, .emulatorOnly = true},  // 30 s of waiting, on device time
      {.what = "not before", .values = {{u"AppCountdown", 600u}}, .codeFile = "4711",
       .steps = WrongCodesThenTheRightOne(29'500, {ExitEvent(40'000)}),
       .messages = TheWrongCodesMessages(u"Too many wrong codes. Wait 30 s.", u"Too many wrong codes. Wait 1 s."),
       .emulatorOnly = true},  // 30 s of waiting, on device time
      {.what = "the count of wrong codes survives closing and reopening the prompt",
       .values = Kiosk({{u"EnableKioskDesktop", 1u}, {u"UnlockOnTitleTap", 1u}}), .codeFile = "4711",
       .steps = WrongCodesAcrossTwoPrompts(), .launched = {main},
       .messages = TheWrongCodesMessages(u"Too many wrong codes. Wait 30 s."),
       .emulatorOnly = true},  // a held stylus, which only the emulated device offers
      {.what = "in Spanish", .values = {{u"AppCountdown", 600u}, {u"Language", u"spanish"}}, .codeFile = "4711",
       .steps = WrongCodesThenTheRightOne(31'000),
       .messages = TheWrongCodesMessages(u"Demasiados c\u00f3digos incorrectos. Espere 30 s.", u"",
                                         u"C\u00f3digo incorrecto."),
       .emulatorOnly = true},  // 30 s of waiting, on device time
      {.what = "a missing application gets its message and the kiosk goes on",
       .values = Kiosk({{u"AppPath", u"\\Windows\\gone.exe"}}), .applicationList = kList,
       .steps = {ExitEvent()}, .launched = {word},
       .messages = {u"The application \\Windows\\gone.exe was not found."}},
      {.what = "the exit event leaves kiosk mode", .values = Kiosk(), .steps = {ExitEvent()}, .launched = {main},
       .recordLines = {"kiosk=left", "started=plain"}},
      {.what = "\"r\" resets once with the power manager's forced reset", .values = Kiosk(), .commandLine = u"r",
       .steps = {ExitEvent()}, .launched = {main}, .resetCalls = {kPowerCall},
       .recordLines = {"started=r", "reset=requested"},
       .emulatorOnly = true},  // the device's power manager: the x86 build has none and records reset=failed
      {.what = "the power call refused: the HAL's reset", .values = Kiosk(), .commandLine = u"r",
       .powerStateAnswer = 50u, .steps = {ExitEvent()}, .launched = {main}, .resetCalls = {kPowerCall, kHalCall},
       .recordLines = {"reset=requested"}, .emulatorOnly = true},  // the device's power manager
      {.what = "no power manager: the HAL's reset", .values = Kiosk(), .commandLine = u"r",
       .powerStateAnswer = std::nullopt, .steps = {ExitEvent()}, .launched = {main}, .resetCalls = {kHalCall},
       .recordLines = {"reset=requested"}, .emulatorOnly = true},  // the device's HAL
      {.what = "both refused: kiosk mode all the same, and the record says so", .values = Kiosk(),
       .commandLine = u"r", .powerStateAnswer = 5u, .halResetGranted = false, .steps = {ExitEvent()},
       .launched = {main}, .resetCalls = {kPowerCall, kHalCall}, .recordLines = {"reset=failed", "kiosk=left"},
       .emulatorOnly = true},  // the device's power manager and HAL
      {.what = "the button event brings the kiosk to the front", .values = Kiosk(),
       .steps = {ButtonEvent(), ExitEvent()}, .launched = {main}, .broughtToFront = true,
       .recordLines = {"buttons=1"}},
      // No application: its window, which the kiosk allows, could come in front after the other one.
      {.what = "the watchdog brings the kiosk back over another program's window",
       .values = {{u"AppCountdown", 0u}}, .steps = {OtherWindowInFront(), ExitEvent(3000)},
       .broughtToFront = true},
      {.what = "DisableHardButtons takes the six buttons for the kiosk window, where a press does nothing, and "
               "releases them on leaving",
       .values = Kiosk({{u"DisableHardButtons", 9u}}),
       .steps = {ApplicationButton(0xC1), ApplicationButton(0xC6), ExitEvent()}, .launched = {main},
       .hotKeyCalls = ButtonsTakenAndReleased(),
       .emulatorOnly = true},  // the shell's buttons live on the emulated device; Wine's hot keys have their own test
      {.what = "DisableHardButtons 0 leaves the buttons to the shell", .values = Kiosk({{u"DisableHardButtons", 0u}}),
       .steps = {ApplicationButton(0xC1), ApplicationButton(0xC6), ExitEvent()}, .launched = {main},
       .shellButtonPresses = 2, .emulatorOnly = true},  // the shell's buttons, as above
      {.what = "a second engine brings the running one's window to the front and exits 0 at once, "
               "touching nothing",
       .values = Kiosk({{u"DisableHardButtons", 9u}}), .engineRunning = true, .commandLine = u"r",
       .taskbarHidden = false, .broughtToFront = true,
       .emulatorOnly = true},  // the running engine is the emulated device's; Wine starts a real second one elsewhere
      {.what = "ShowTaskbar keeps the taskbar", .values = Kiosk({{u"ShowTaskbar", 1u}}), .steps = {ExitEvent()},
       .launched = {main}, .taskbarHidden = false},
      {.what = "no aygshell still gives a full-screen window", .values = Kiosk(), .shellLibrary = false,
       .steps = {ExitEvent()}, .launched = {main}, .taskbarHidden = false},
  };
  for (const auto& [language, text] : {std::pair<std::u16string, std::u16string>{u"english", u"Continue"},
                                       {u"spanish", u"Continuar"},
                                       {u"Brazilian", u"Continuar"},
                                       {u"klingon", u"Continue"}}) {
    cases.push_back({.what = "Continue in " + std::string(language.begin(), language.end()),
                     .values = {{u"AppCountdown", 5u}, {u"Language", language}},
                     .steps = {ExitEvent(6000)}, .shown = {text}});
  }
  cases.push_back({.what = "Spanish version line", .values = {{u"AppCountdown", 5u}, {u"Language", u"spanish"}},
                   .steps = {ExitEvent(6000)}, .shown = {u"Versi\u00f3n " + version}});
  for (const auto& [width, height] : {std::pair{240, 320}, {320, 240}, {480, 640}}) {
    cases.push_back({.what = "layouts inside a " + std::to_string(width) + "x" + std::to_string(height) + " screen",
                     .values = {{u"AppCountdown", 2u}, {u"ShowLogo", 1u}, {u"EnableKioskDesktop", 1u}},
                     .applicationList = kList, .logoFile = true, .screenWidth = width, .screenHeight = height,
                     .steps = {ExitEvent(3000)}, .desktopList = {u"Word", u"Notes"}, .launched = {word},
                     .logo = Logo::Centred,
                     // A Wine session's virtual desktop has one size, the device's 240x320.
                     .emulatorOnly = width != 240 || height != 320});
  }
  // The countdown's timer ticks four times a second.
  cases.push_back({.what = "a 10,000-message run", .values = {{u"AppCountdown", 3000u}},
                   .steps = {ExitEvent(2'600'000)}, .taskbarHidden = true, .messagesAtLeast = 10'000,
                   .emulatorOnly = true});  // 43 minutes of device time
  return cases;
}

}  // namespace kiosk_engine_cases
