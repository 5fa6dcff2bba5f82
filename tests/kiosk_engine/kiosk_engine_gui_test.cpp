// The x86 kiosk engine on the emulated device: it runs in the device's Wine
// prefix, whose virtual desktop has a Pocket PC's screen, configured as the
// package installer configures it, and is driven through its windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "device/kiosk_engine/core/engine_texts.h"
#include "device/kiosk_engine/core/screen_layout.h"
#include "device/kiosk_engine/kiosk_controls.h"
#include "support/text.h"
#include "tests/kiosk_engine/engine_on_device.h"

namespace {

using namespace kiosk_engine_test;
using namespace device::kiosk_engine;

// A text value that the engine's folder fills: the recorder's path.
const std::wstring kRecorderPath = L"<recorder>";

// A 4x4 red bitmap file.
std::string RedBitmap() {
  std::string file(54 + 4 * 4 * 3, '\0');
  auto put = [&](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
  };
  file[0] = 'B', file[1] = 'M';
  put(2, static_cast<uint32_t>(file.size()), 4), put(10, 54, 4), put(14, 40, 4), put(18, 4, 4), put(22, 4, 4);
  put(26, 1, 2), put(28, 24, 2);
  for (size_t pixel = 54; pixel < file.size(); pixel += 3) file[pixel + 2] = '\xff';
  return file;
}

// The engine installed in a fresh folder with its list, code and logo, the
// recorder beside it, and aygshell's double in the device's \Windows.
class KioskOnDevice : public EngineOnDevice {
 public:
  KioskOnDevice(const Values& values, const std::string& code = "1234", const std::string& logo = "") {
    DeviceSetup setup{.values = values, .applicationList = ApplicationList(), .codeFile = code};
    if (!logo.empty()) setup.logoFile = logo;
    for (Value& value : setup.values) {
      if (const std::wstring* text = std::get_if<std::wstring>(&value.data); text && *text == kRecorderPath)
        value.data = Recorder();
    }
    CopyFileW(WideWindowsPath(BC_LAUNCH_RECORDER).c_str(), Recorder().c_str(), FALSE);
    Start(setup);
    EXPECT_TRUE(WaitRecord("kiosk=on")) << Record();
  }
  // set.alf: an entry that starts with kiosk mode (hidden), two listed ones
  // around a hidden one, and one that stays.
  std::string ApplicationList() const {
    const std::string recorder = support::Narrow(Recorder());
    return "1;1;Auto;" + recorder + ";auto run;0;0;Notes;" + recorder + ";-n note;0;1;Secret;" + recorder +
           ";hidden;0;0;Calc;" + recorder + ";;0;0;Stays;" + recorder + ";stay;";
  }
  std::wstring Recorder() const { return File(L"recorder.exe"); }
  std::vector<std::string> Launches() const { return Lines(ReadWholeFile(File(L"launches.txt"))); }

  // Holds the stylus on the desktop's title until its menu shows, then takes its item.
  bool OpenCodePrompt() {
    const Rect title = LayOutKioskDesktop(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)).title;
    PostMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2));
    if (!WaitControl(kUnlockMenuItemId)) return false;
    gui_driver::Click(Window(), kUnlockMenuItemId);
    return WaitControl(kCodeCancelId);
  }
  void EnterCode(const std::string& code) {
    gui_driver::Type(Window(), kCodeBoxId, code);
    gui_driver::ClickAsync(Window(), kCodeOkId);
  }
};

std::string LaunchLine(const KioskOnDevice& kiosk, const std::string& params) {
  return "launched=" + support::Narrow(kiosk.Recorder()) + (params.empty() ? "" : " " + params);
}

// Ends a started application, which runs until it is ended.
void EndProgramOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id);
  TerminateProcess(process, 0);
  CloseHandle(process);
}

Values Desktop(const wchar_t* language, DWORD countdown) {
  return {{L"AppCountdown", countdown}, {L"EnableKioskDesktop", 1u}, {L"KioskDesktopTitle", L"Shop floor"},
          {L"UnlockOnTitleTap", 1u}, {L"Language", language}};
}

struct StartupCase {
  const char* name;
  Language language;
  DWORD countdown;
  DWORD showVersion;
  DWORD disableContinue;
};
const StartupCase kStartupCases[] = {
    {"english", Language::English, 60, 1, 0},
    {"spanish", Language::Spanish, 60, 1, 0},
    // Without Continue, the desktop comes when the count ends.
    {"brazilian", Language::Brazilian, 2, 0, 1},
};

TEST(KioskEngineOnDevice, StartupScreenThenTheDesktopOfVisibleEntriesInFileOrder) {
  for (const StartupCase& test : kStartupCases) {
    SCOPED_TRACE(test.name);
    Values values = Desktop(support::Widen(test.name).c_str(), test.countdown);
    values.push_back({L"ShowVersion", test.showVersion});
    values.push_back({L"DisableContinueButton", test.disableContinue});
    KioskOnDevice kiosk(values);
    ASSERT_TRUE(kiosk.WaitControl(kSecondsLeftId));
    EXPECT_NE(kiosk.Record().find("screen=startup\n"), std::string::npos);
    // Some of the count has gone by: the engine started before its screen was read.
    const std::wstring secondsLeft = WideText(kiosk.Control(kSecondsLeftId));
    bool countsDown = false;
    for (DWORD seconds = 1; seconds <= test.countdown; ++seconds)
      countsDown |= secondsLeft == FormatText(TextOf(test.language, EngineText::SecondsLeft), seconds).Get();
    EXPECT_TRUE(countsDown) << support::Narrow(secondsLeft);
    EXPECT_EQ(kiosk.Control(kVersionLineId) != nullptr, test.showVersion == 1);
    if (test.showVersion) {
      EXPECT_EQ(WideText(kiosk.Control(kVersionLineId)),
                FormatText(TextOf(test.language, EngineText::Version), support::Widen(BC_VERSION).c_str()).Get());
    }
    EXPECT_EQ(kiosk.Control(kContinueId) != nullptr, test.disableContinue == 0);
    EXPECT_TRUE(GetWindowLongW(kiosk.Control(kCodeBoxId), GWL_STYLE) & ES_PASSWORD);
    gui_driver::SaveScreenshot(kiosk.Window(), gui_driver::BuildFile(std::string("kiosk_startup_") + test.name + ".png"));

    if (!test.disableContinue) gui_driver::Click(kiosk.Window(), kContinueId);
    ASSERT_TRUE(kiosk.WaitControl(kApplicationListId));
    EXPECT_TRUE(kiosk.WaitRecord("screen=desktop"));
    EXPECT_EQ(kiosk.Control(kSecondsLeftId), nullptr);
    EXPECT_EQ(WideText(kiosk.Control(kDesktopTitleId)), L"Shop floor");
    EXPECT_EQ(kiosk.ListRows(), (std::vector<std::wstring>{L"Notes", L"Calc", L"Stays"}));
    EXPECT_TRUE(kiosk.WaitRecord(LaunchLine(kiosk, "auto run")));
    gui_driver::SaveScreenshot(kiosk.Window(), gui_driver::BuildFile(std::string("kiosk_desktop_") + test.name + ".png"));
  }
}

TEST(KioskEngineOnDevice, TappingAnEntryStartsItWithItsParameters) {
  KioskOnDevice kiosk(Desktop(L"english", 0));
  ASSERT_TRUE(kiosk.WaitControl(kApplicationListId));
  ASSERT_TRUE(kiosk.WaitRecord(LaunchLine(kiosk, "auto run")));
  kiosk.TapRow(0);
  EXPECT_TRUE(kiosk.WaitRecord(LaunchLine(kiosk, "-n note")));
  kiosk.TapRow(1);
  EXPECT_TRUE(kiosk.WaitRecord(LaunchLine(kiosk, "")));
  // The same entry again: a tap clears the selection it made.
  kiosk.TapRow(0);
  EXPECT_TRUE(WaitUntil([&] { return kiosk.Launches().size() == 4; }));
  // The programs write in the order they happen to run; each had its parameters.
  const std::vector<std::string> launches = kiosk.Launches();
  EXPECT_EQ(std::count(launches.begin(), launches.end(), "-n note"), 2);
  EXPECT_EQ(std::count(launches.begin(), launches.end(), "auto run"), 1);
}

struct RestartCase {
  DWORD restartDelay;
  size_t launchesAwaited;
};
const RestartCase kRestartCases[] = {{0, 3}, {1, 2}, {65535, 1}};

TEST(KioskEngineOnDevice, MainApplicationRestartsAfterItsDelayAndNeverWith65535) {
  for (const RestartCase& test : kRestartCases) {
    SCOPED_TRACE(test.restartDelay);
    KioskOnDevice kiosk({{L"AppCountdown", 0u}, {L"RestartDelay", test.restartDelay}, {L"AppPath", kRecorderPath},
                         {L"AppParams", L"main"}});
    const auto mainRuns = [&] {
      const std::vector<std::string> launches = kiosk.Launches();
      return static_cast<size_t>(std::count(launches.begin(), launches.end(), "main"));
    };
    EXPECT_TRUE(WaitUntil([&] { return mainRuns() >= test.launchesAwaited; })) << kiosk.Record();
    if (test.restartDelay == 65535) {
      EXPECT_FALSE(WaitUntil([&] { return mainRuns() > 1; }, 3s));
    }
  }
}

struct CodeCase {
  const char* name;
  bool atStartup;
  std::string codeFile;
  std::string typed;
  bool leaves;
};
const CodeCase kCodeCases[] = {
    {"right at start-up", true, "1234", "1234", true},
    {"wrong at start-up", true, "1234", "9999", false},
    {"prefix in the prompt", false, "1234", "123", false},
    {"longer in the prompt", false, "1234", "12345", false},
    {"right in the prompt", false, "1234", "1234", true},
    {"empty file, empty entry", false, "", "", true},
    {"file over ten bytes, its first ten", true, "12345678901", "1234567890", true},
};

TEST(KioskEngineOnDevice, RightCodeLeavesKioskModeAndAWrongOneGetsItsMessage) {
  for (const CodeCase& test : kCodeCases) {
    SCOPED_TRACE(test.name);
    KioskOnDevice kiosk(Desktop(L"brazilian", test.atStartup ? 60 : 0), test.codeFile);
    if (test.atStartup)
      ASSERT_TRUE(kiosk.WaitControl(kCodeBoxId));
    else
      ASSERT_TRUE(kiosk.WaitControl(kApplicationListId) && kiosk.OpenCodePrompt());
    kiosk.EnterCode(test.typed);
    if (test.leaves) {
      EXPECT_EQ(kiosk.process().WaitForExit(), 0u);
      EXPECT_NE(kiosk.Record().find("kiosk=left\n"), std::string::npos);
      continue;
    }
    const gui_driver::MessageBoxInfo box = gui_driver::WaitMessageBox(kiosk.process().Id());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(support::Widen(box.text), TextOf(Language::Brazilian, EngineText::WrongCode));
    gui_driver::Answer(box, IDOK);
    EXPECT_TRUE(kiosk.process().Running());
    EXPECT_EQ(WideText(kiosk.Control(kCodeBoxId)), L"");
  }
}

// Five wrong codes in a row: the sixth is refused though right, with the
// seconds left, until 30 s after the fifth was checked; then it leaves.
TEST(KioskEngineOnDevice, FiveWrongCodesRefuseEvenTheRightOneUntilTheWaitIsOver) {
  KioskOnDevice kiosk(Desktop(L"english", 600), "4711");
  ASSERT_TRUE(kiosk.WaitControl(kCodeBoxId));
  const auto answerBox = [&] {
    const gui_driver::MessageBoxInfo box = gui_driver::WaitMessageBox(kiosk.process().Id());
    gui_driver::Answer(box, IDOK);
    return support::Widen(box.text);
  };
  for (int i = 0; i < 5; ++i) {
    kiosk.EnterCode("1");
    EXPECT_EQ(answerBox(), TextOf(Language::English, EngineText::WrongCode));
  }
  const auto fifthChecked = std::chrono::steady_clock::now();  // its box came after the check
  kiosk.EnterCode("4711");
  const std::wstring refused = answerBox();
  bool saysTheSecondsLeft = false;
  for (unsigned seconds = 1; seconds <= 30; ++seconds)
    saysTheSecondsLeft |= refused == FormatText(TextOf(Language::English, EngineText::CodesRefused), seconds).Get();
  EXPECT_TRUE(saysTheSecondsLeft) << support::Narrow(refused);
  EXPECT_TRUE(kiosk.process().Running());
  EXPECT_EQ(WideText(kiosk.Control(kCodeBoxId)), L"");
  std::this_thread::sleep_until(fifthChecked + 30500ms);
  kiosk.EnterCode("4711");
  EXPECT_EQ(kiosk.process().WaitForExit(), 0u);
}

struct TaskbarCase {
  const char* name;
  Values values;
  std::vector<std::string> calls;  // SHFullScreen's states, in order
};
// SHFS_: 1 show taskbar, 2 hide it, 4 show the input panel button, 8 hide
// it, 0x10 show the Start icon, 0x20 hide it.
const TaskbarCase kTaskbarCases[] = {
    {"all hidden", Desktop(L"english", 0), {"0x2a", "0x2a", "0x15"}},
    {"input panel button on the desktop", {{L"AppCountdown", 0u}, {L"EnableKioskDesktop", 1u}, {L"ShowSipIcon", 1u}},
     {"0x2a", "0x26", "0x15"}},
    {"taskbar on the desktop", {{L"AppCountdown", 0u}, {L"EnableKioskDesktop", 1u}, {L"EnableTaskbar", 1u}},
     {"0x2a", "0x19", "0x15"}},
    {"taskbar shown", {{L"AppCountdown", 0u}, {L"ShowTaskbar", 1u}}, {"0x19", "0x15"}},
};

TEST(KioskEngineOnDevice, ExitKioskModeLeavesAndTheTaskbarIsBackAfterwards) {
  for (const TaskbarCase& test : kTaskbarCases) {
    SCOPED_TRACE(test.name);
    KioskOnDevice kiosk(test.values);
    ASSERT_TRUE(WaitUntil([&] { return kiosk.TaskbarCalls().size() == test.calls.size() - 1; }));
    kiosk.ExitKioskMode();
    EXPECT_EQ(kiosk.process().WaitForExit(), 0u);
    EXPECT_NE(kiosk.Record().find("kiosk=left\n"), std::string::npos);
    EXPECT_EQ(kiosk.Window(), nullptr);
    EXPECT_EQ(kiosk.TaskbarCalls(), test.calls);
  }
}

TEST(KioskEngineOnDevice, ButtonProgramBringsTheKioskToTheFront) {
  KioskOnDevice kiosk(Desktop(L"english", 0));
  ASSERT_TRUE(kiosk.WaitControl(kApplicationListId));
  kiosk.TapRow(2);
  HWND application = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (application = FindWindowW(L"STATIC", L"launched application")) != nullptr; }));
  SetForegroundWindow(application);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == application; }));
  gui_driver::Process button(support::Narrow(DeviceFile(L"bcebtn.exe")), gui_driver::CommandLine{""});
  EXPECT_EQ(button.WaitForExit(), 0u);
  EXPECT_TRUE(kiosk.WaitRecord("buttons=1"));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == kiosk.Window(); }));
  EndProgramOf(application);
}

// The watchdog: another program's window in front is covered within two of
// its rounds, while an application started from the desktop keeps the front.
TEST(KioskEngineOnDevice, WatchdogCoversAForeignWindowButNotAnAllowedApplication) {
  KioskOnDevice kiosk(Desktop(L"english", 0));
  ASSERT_TRUE(kiosk.WaitControl(kApplicationListId));
  HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_EQ(GetForegroundWindow(), other);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == kiosk.Window(); }, 2s));
  DestroyWindow(other);

  kiosk.TapRow(2);
  HWND application = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (application = FindWindowW(L"STATIC", L"launched application")) != nullptr; }));
  SetForegroundWindow(application);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == application; }));
  EXPECT_FALSE(WaitUntil([&] { return GetForegroundWindow() != application; }, 3s)) << "the kiosk took the front";
  EndProgramOf(application);
}

// With DisableHardButtons the kiosk window holds the application buttons'
// hot keys, so that no other program can register them, and their WM_HOTKEY
// changes nothing; with 0 they stay free. Either way they are free once the
// kiosk is left.
TEST(KioskEngineOnDevice, ApplicationButtonsAreHeldOnlyWithDisableHardButtons) {
  constexpr UINT kFirstButton = 0xC1, kLastButton = 0xC6;  // VK_APP1, VK_APP6
  const auto free = [](UINT key) {
    const bool registered = RegisterHotKey(nullptr, static_cast<int>(key), MOD_WIN, key) != FALSE;
    if (registered) UnregisterHotKey(nullptr, static_cast<int>(key));
    return registered;
  };
  for (const auto& [setting, held] : {std::pair{9u, true}, std::pair{0u, false}}) {
    SCOPED_TRACE(setting);
    Values values = {{L"AppCountdown", 0u}, {L"DisableHardButtons", setting}};
    KioskOnDevice kiosk(values);
    // The record settles once set.alf's entry that starts with kiosk mode is started.
    ASSERT_TRUE(kiosk.WaitRecord(LaunchLine(kiosk, "auto run")));
    for (UINT key = kFirstButton; key <= kLastButton; ++key) EXPECT_EQ(free(key), !held) << key;
    const std::string record = kiosk.Record();
    SendMessageW(kiosk.Window(), WM_HOTKEY, kFirstButton, MAKELPARAM(MOD_WIN, kFirstButton));
    EXPECT_EQ(kiosk.Record(), record) << "a hot key started something";
    EXPECT_TRUE(IsWindowVisible(kiosk.Window()));
    kiosk.ExitKioskMode();
    EXPECT_EQ(kiosk.process().WaitForExit(), 0u);
    for (UINT key = kFirstButton; key <= kLastButton; ++key) EXPECT_TRUE(free(key)) << key;
  }
}

TEST(KioskEngineOnDevice, SecondStartBringsTheRunningKioskToTheFrontAndExits0) {
  KioskOnDevice kiosk({{L"AppCountdown", 0u}});
  ASSERT_TRUE(kiosk.WaitRecord(LaunchLine(kiosk, "auto run")));
  const std::string record = kiosk.Record();
  HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  gui_driver::Process second(support::Narrow(kiosk.Engine()), gui_driver::CommandLine{""});
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(kiosk.process().Running());
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == kiosk.Window(); }));
  EXPECT_EQ(kiosk.Record(), record);
  DestroyWindow(other);
}

TEST(KioskEngineOnDevice, MissingApplicationGetsItsMessageAndTheKioskGoesOn) {
  const std::wstring missing = L"\\nowhere\\missing.exe";
  Values values = Desktop(L"spanish", 0);
  values.push_back({L"AppPath", missing});
  KioskOnDevice kiosk(values);
  const gui_driver::MessageBoxInfo box = gui_driver::WaitMessageBox(kiosk.process().Id());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(support::Widen(box.text), FormatText(TextOf(Language::Spanish, EngineText::ApplicationNotFound),
                                                 missing.c_str()).Get());
  EXPECT_EQ(support::Widen(box.caption), TextOf(Language::Spanish, EngineText::KioskCaption));
  gui_driver::Answer(box, IDOK);
  ASSERT_TRUE(kiosk.WaitControl(kApplicationListId));
  kiosk.TapRow(0);
  EXPECT_TRUE(kiosk.WaitRecord(LaunchLine(kiosk, "-n note")));
}

TEST(KioskEngineOnDevice, ExitKioskModeLeavesEvenWhileAMessageShows) {
  KioskOnDevice kiosk({{L"AppCountdown", 0u}, {L"AppPath", L"\\nowhere\\missing.exe"}});
  ASSERT_NE(gui_driver::WaitMessageBox(kiosk.process().Id()).window, nullptr);
  kiosk.ExitKioskMode();
  EXPECT_EQ(kiosk.process().WaitForExit(), 0u);
  EXPECT_NE(kiosk.Record().find("kiosk=left\n"), std::string::npos);
}

struct LogoCase {
  const char* name;
  std::string file;
  DWORD fit;
  bool shown;
};
const LogoCase kLogoCases[] = {
    {"missing", "", 0, false},
    {"not a bitmap", "GIF89a not a bitmap", 0, false},
    {"bitmap, centred", RedBitmap(), 0, true},
    {"bitmap, fit to the screen", RedBitmap(), 1, true},
};

TEST(KioskEngineOnDevice, LogoShowsOnlyForABitmap) {
  for (const LogoCase& test : kLogoCases) {
    SCOPED_TRACE(test.name);
    KioskOnDevice kiosk({{L"AppCountdown", 60u}, {L"ShowLogo", 1u}, {L"FitLogoToScreen", test.fit}}, "1234", test.file);
    ASSERT_TRUE(kiosk.WaitControl(kSecondsLeftId));
    RedrawWindow(kiosk.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const Rect logo = LayOutStartupScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)).logo;
    HDC screen = GetDC(nullptr);
    COLORREF centre = CLR_INVALID;
    WaitUntil([&] { return (centre = GetPixel(screen, (logo.left + logo.right) / 2, (logo.top + logo.bottom) / 2)) ==
                           (test.shown ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOW)); }, 3s);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(centre, test.shown ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(kiosk.process().Running());
  }
}

}  // namespace
