// What the engine starts, lists and restarts, the administrator code check
// and the course of a run.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/engine_contract/engine_contract.h"
#include "device/kiosk_engine/core/code_check.h"
#include "device/kiosk_engine/core/engine_session.h"
#include "device/kiosk_engine/core/launch_plan.h"

namespace {

using namespace device::kiosk_engine;

// autolaunch;hidden;label;path;params;
const std::string kList =
    "0;0;Word;\\windows\\pword.exe;;"
    "1;0;Notes;\\windows\\notes.exe;-x -y;"
    "1;1;Sync;\\sync.exe;/quiet;"
    "0;1;Secret;\\secret.exe;-s;"
    "0;0;Caf\xe9 \x80;\\caf\xe9.exe;\x93q\x94;";

std::wstring Line(const Launch& launch) { return std::wstring(launch.path.Get()) + L"|" + launch.params.Get(); }

EngineSettings WithMainApplication(const wchar_t* path, const wchar_t* params) {
  EngineSettings settings;
  settings.appPath.Append(path);
  settings.appParams.Append(params);
  return settings;
}

std::vector<std::wstring> Startup(const EngineSettings& settings, const std::string& list) {
  std::vector<std::wstring> lines;
  StartupLaunches launches(settings, list.data(), list.size());
  for (Launch launch; launches.Next(launch);) lines.push_back(Line(launch));
  return lines;
}

std::vector<std::wstring> Desktop(const std::string& list) {
  std::vector<std::wstring> lines;
  DesktopEntries entries(list.data(), list.size());
  for (DesktopEntry entry; entries.Next(entry);) lines.push_back(entry.displayName.Get() + (L"=" + Line(entry.launch)));
  return lines;
}

TEST(LaunchPlan, MainApplicationThenAutolaunchEntriesWithTheirParameters) {
  using Lines = std::vector<std::wstring>;
  EXPECT_EQ(Startup(WithMainApplication(L"\\main.exe", L"-k"), kList),
            (Lines{L"\\main.exe|-k", L"\\windows\\notes.exe|-x -y", L"\\sync.exe|/quiet"}));
  EXPECT_EQ(Startup(WithMainApplication(L"\\main.exe", L""), ""), (Lines{L"\\main.exe|"}));
  EXPECT_EQ(Startup(WithMainApplication(L"", L"-k"), kList), (Lines{L"\\windows\\notes.exe|-x -y", L"\\sync.exe|/quiet"}));
  EXPECT_EQ(Startup(EngineSettings{}, ""), Lines{});
}

TEST(LaunchPlan, DesktopListsTheEntriesNotHiddenInFileOrder) {
  const std::vector<std::wstring> expected = {L"Word=\\windows\\pword.exe|", L"Notes=\\windows\\notes.exe|-x -y",
                                              L"Café €=\\café.exe|“q”"};
  EXPECT_EQ(Desktop(kList), expected);
  for (std::size_t i = 0; i <= expected.size(); ++i) {
    DesktopEntry entry;
    const bool found = DesktopEntryAt(kList.data(), kList.size(), i, entry);
    EXPECT_EQ(found, i < expected.size()) << i;
    if (found) {
      EXPECT_EQ(entry.displayName.Get() + (L"=" + Line(entry.launch)), expected[i]) << i;
    }
  }
  EXPECT_TRUE(Desktop("").empty());
  EXPECT_TRUE(Desktop("0;0;Word;\\w.exe").empty());
}

// A path or parameters that would be cut neither start nor show.
TEST(LaunchPlan, EntriesTooLongToStartWholeAreLeftOut) {
  const std::string fits(kSettingTextSize - 1, 'p');
  const std::string list = "1;0;Fits;" + fits + ";" + fits + ";1;0;Long;" + fits + "p;;1;0;LongParams;\\a.exe;" + fits +
                           "p;1;0;Last;\\last.exe;;";
  const std::vector<std::wstring> started = Startup(EngineSettings{}, list);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].size(), 2 * fits.size() + 1);
  EXPECT_EQ(started[1], L"\\last.exe|");
  EXPECT_EQ(Desktop(list).size(), 2u);
}

// Only the first 64 KB of set.alf count: a record ending there is read, one
// running past it is not, nor anything after it.
TEST(LaunchPlan, OnlyTheFirst64KbAreRead) {
  const std::string second = "0;0;B;\\b.exe;;", third = "0;0;C;\\c.exe;;";
  const std::size_t firstPadding = kApplicationListMaxSize - second.size() - std::string("0;0;;\\a.exe;;").size();
  for (const auto& [padding, read] : std::vector<std::pair<std::size_t, std::size_t>>{
           {firstPadding, 2}, {firstPadding + 1, 1}}) {
    const std::string list = "0;0;" + std::string(padding, 'a') + ";\\a.exe;;" + second + third;
    EXPECT_EQ(Desktop(list).size(), read) << padding;
  }
}

TEST(RestartPolicy, DelayInSecondsAtOnceOrNever) {
  for (const auto& [delay, restarts, delayMs] : std::vector<std::tuple<std::uint16_t, bool, std::uint32_t>>{
           {0, true, 0}, {1, true, 1000}, {30, true, 30000}, {65534, true, 65534000u}, {65535, false, 7}}) {
    std::uint32_t waited = 7;
    EXPECT_EQ(RestartPolicy(delay).RestartsAfter(waited), restarts) << delay;
    EXPECT_EQ(waited, delayMs) << delay;
  }
}

TEST(CodeCheck, FileBytesAgainstTheTypedCode) {
  for (const auto& [file, typed, matches] : std::vector<std::tuple<std::string, std::string, bool>>{
           {"", "", true}, {"", "0", false}, {"1234", "1234", true}, {"1234", "123", false},
           {"1234", "12345", false}, {"1234", "", false}, {"0123", "123", false},
           {"1234567890", "1234567890", true}, {"1234567890", "123456789", false},
           {"1234567890", "12345678901", false}, {"12345678901", "1234567890", true},
           {"12345678901", "12345678901", false}, {"1234\r\n", "1234", false}, {"1234\n", "1234\n", true},
           {std::string("12\0" "34", 5), "12", true}}) {
    EXPECT_EQ(CodeMatchesFile(file.data(), file.size(), typed.c_str()), matches) << file << " / " << typed;
  }
}

TEST(CodeCheck, TypedCodeTakesDigitsOnly) {
  const std::string file = "0123456789";
  for (const auto& [typed, matches] : std::vector<std::pair<std::wstring, bool>>{
           {L"0123456789", true}, {L"012345678", false}, {L"01234567890", false}, {L"0123456789012345", false}, {L"0123456789 ", false},
           {L" 0123456789", false}, {L"012345678\x0669", false}, {L"012345678\xFF19", false},
           {std::wstring(L"0123456789") + static_cast<wchar_t>(0x139), false}}) {
    EXPECT_EQ(TypedCodeMatchesFile(file.data(), file.size(), typed.c_str()), matches) << typed.size();
  }
  EXPECT_TRUE(TypedCodeMatchesFile("", 0, L""));
  EXPECT_FALSE(TypedCodeMatchesFile("", 0, L"a"));
  // The digit '9' plus 256 must not pass as '9' where wchar_t is wider.
  EXPECT_FALSE(TypedCodeMatchesFile("9", 1, std::wstring(1, static_cast<wchar_t>(L'9' + 256)).c_str()));
}

EngineSettings Countdown(std::uint32_t seconds, bool continueDisabled = false, bool desktop = false) {
  EngineSettings settings;
  settings.appCountdown = seconds;
  settings.disableContinueButton = continueDisabled;
  settings.enableKioskDesktop = desktop;
  settings.unlockOnTitleTap = true;
  return settings;
}

TEST(EngineSession, CountdownRoundsUpAndEndsOnTime) {
  for (const std::uint32_t start : {0u, 0xFFFFF000u}) {
    const EngineSettings settings = Countdown(10);
    EngineSession session(settings, start);
    for (const auto& [after, left] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
             {0, 10}, {1, 10}, {999, 10}, {1000, 9}, {9000, 1}, {9999, 1}}) {
      EXPECT_EQ(session.SecondsLeft(start + after), left) << after;
      EXPECT_FALSE(session.Tick(start + after)) << after;
    }
    EXPECT_EQ(session.Stage(), EngineStage::Startup);
    EXPECT_EQ(session.SecondsLeft(start + 10000), 0u);
    EXPECT_TRUE(session.Tick(start + 10000));
    EXPECT_FALSE(session.Tick(start + 10001));
    EXPECT_EQ(session.Stage(), EngineStage::Kiosk);
    EXPECT_EQ(session.Screen(), EngineScreen::Kiosk);
  }
}

TEST(EngineSession, NoCountdownBeginsKioskAtOnceAndTheLongestIsCapped) {
  const EngineSettings none = Countdown(0, false, true);
  EXPECT_EQ(EngineSession(none, 5).Stage(), EngineStage::Kiosk);
  EXPECT_EQ(EngineSession(none, 5).Screen(), EngineScreen::Desktop);
  const EngineSettings longest = Countdown(0xFFFFFFFFu);
  EXPECT_EQ(EngineSession(longest, 0).SecondsLeft(0), kLongestCountdownSeconds);
}

TEST(EngineSession, ContinueUnlessDisabled) {
  for (const bool disabled : {false, true}) {
    const EngineSettings settings = Countdown(10, disabled);
    EngineSession session(settings, 0);
    EXPECT_EQ(session.Continue(), !disabled);
    EXPECT_EQ(session.Stage(), disabled ? EngineStage::Startup : EngineStage::Kiosk);
    EXPECT_FALSE(session.Continue());
  }
}

TEST(EngineSession, TypingGivesTheAdministratorTimeYetKioskStillBegins) {
  const EngineSettings settings = Countdown(3);
  EngineSession session(settings, 0);
  session.ExtendCountdown(2500);
  EXPECT_EQ(session.SecondsLeft(2500), kTypingGraceSeconds);
  EXPECT_FALSE(session.Tick(12499));
  session.ExtendCountdown(4000);
  EXPECT_FALSE(session.Tick(13999));
  EXPECT_TRUE(session.Tick(14000));
  session.ExtendCountdown(14001);
  EXPECT_EQ(session.Stage(), EngineStage::Kiosk);
  const EngineSettings longCount = Countdown(60);
  EngineSession longSession(longCount, 0);
  longSession.ExtendCountdown(1000);
  EXPECT_EQ(longSession.SecondsLeft(1000), 59u);
}

TEST(EngineSession, RightCodeOrExitEventLeaves) {
  const EngineSettings settings = Countdown(10, false, true);
  EngineSession atStartup(settings, 0);
  atStartup.CodeEntered(false);
  EXPECT_EQ(atStartup.Stage(), EngineStage::Startup);
  EXPECT_FALSE(atStartup.OffersUnlockMenu());
  atStartup.CodeEntered(true);
  EXPECT_EQ(atStartup.Stage(), EngineStage::Left);
  EXPECT_FALSE(atStartup.Tick(10000));
  EngineSession inKiosk(settings, 0);
  inKiosk.Continue();
  EXPECT_TRUE(inKiosk.OffersUnlockMenu());
  inKiosk.CodeEntered(false);
  EXPECT_EQ(inKiosk.Stage(), EngineStage::Kiosk);
  inKiosk.ExitRequested();
  EXPECT_EQ(inKiosk.Stage(), EngineStage::Left);
  EXPECT_FALSE(inKiosk.OffersUnlockMenu());
}

TEST(EngineSession, UnlockMenuOnlyOnADesktopThatAllowsIt) {
  for (const auto& [desktop, unlock, offered] : std::vector<std::tuple<bool, bool, bool>>{
           {true, true, true}, {true, false, false}, {false, true, false}}) {
    EngineSettings settings = Countdown(0, false, desktop);
    settings.unlockOnTitleTap = unlock;
    EXPECT_EQ(EngineSession(settings, 0).OffersUnlockMenu(), offered) << desktop << unlock;
  }
}

}  // namespace
