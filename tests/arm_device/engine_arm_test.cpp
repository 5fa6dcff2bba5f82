// The kiosk engine of the ARM package as a device runs it, on the emulated
// device, through the cases that the x86 engine's tests share: what it
// shows, starts and records, and that it leaves nothing behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "device/engine_contract/engine_contract.h"
#include "tests/arm_device/arm_device.h"
#include "tests/kiosk_engine_cases/engine_cases.h"
#include "tests/kiosk_engine_cases/engine_controls.h"

namespace kiosk_engine_cases {

void PrintTo(const Launch& launch, std::ostream* out) {
  *out << std::string(launch.path.begin(), launch.path.end()) << " "
       << std::string(launch.params.begin(), launch.params.end());
}

}  // namespace kiosk_engine_cases

namespace {

using namespace arm_device_test;
namespace cases = kiosk_engine_cases;
namespace contract = device::engine_contract;

const std::u16string kFolder = u"\\Program Files\\Brindlecove";
const std::string kKioskClass(std::begin(device::kiosk_engine::kKioskWindowClass),
                              std::end(device::kiosk_engine::kKioskWindowClass) - 1);
const std::u16string kStatePath = kFolder + u"\\engine_state.txt";
const std::u16string kEvents[] = {Utf16(contract::kExitEventName.narrow), Utf16(contract::kButtonEventName.narrow)};
const std::u16string kLogoPath = kFolder + u"\\" + Utf16(contract::kLogoFileName.narrow);
constexpr uint32_t kHideTaskbar = 0x2, kShowTaskbar = 0x1;  // SHFS_HIDETASKBAR, SHFS_SHOWTASKBAR
constexpr int kIdOk = 1;

Happening HappeningOf(const cases::Step& step, uint32_t startMs) {
  const auto at = [&](Happening happening) { return step.atMs ? happening.At(startMs + step.atMs) : happening; };
  switch (step.kind) {
    case cases::Step::Kind::ExitEvent: return at(Happening(kEvents[0]));
    case cases::Step::Kind::ButtonEvent: return at(Happening(kEvents[1]));
    case cases::Step::Kind::Tap: return at(Happening::Tap(cases::ControlId(step.control)));
    case cases::Step::Kind::Type: return at(Happening::Type(cases::ControlId(step.control), step.text));
    case cases::Step::Kind::StartEntry:
      return at(Happening::Tap(cases::ControlId(step.control), kLbnSelChange, step.entry));
    case cases::Step::Kind::EndProgram: return at(Happening::EndProcess(step.text, step.exitCode));
    case cases::Step::Kind::Hold: return at(Happening::Hold(cases::ControlId(step.control)));
    case cases::Step::Kind::ApplicationButton: return at(Happening::Button(static_cast<uint32_t>(step.entry)));
    case cases::Step::Kind::OtherWindow: return at(Happening::OtherWindow());
  }
  return Happening(u"");
}

struct EngineRun {
  explicit EngineRun(const cases::EngineCase& c) {
    CoreLibrary& core = device.core;
    core.modulePath = kFolder + u"\\" + Utf16(contract::kEngineFileName.narrow);
    // bcmgr and bcebtn hold the events too, so that what the engine leaves in them shows.
    for (const std::u16string& event : kEvents) core.HoldEvent(event);
    core.screenWidth = c.screenWidth;
    core.screenHeight = c.screenHeight;
    core.hasShellLibrary = c.shellLibrary;
    if (c.engineRunning) core.otherProgramsWindows.push_back(Utf16(kKioskClass));
    core.powerStateAnswer = c.powerStateAnswer;
    core.halResetGranted = c.halResetGranted;
    const std::u16string key = Utf16(contract::kConfigurationRegistryKey.narrow);
    for (const cases::Value& value : c.values) {
      if (const auto* number = std::get_if<uint32_t>(&value.data)) core.PutRegistryNumber(key, value.name, *number);
      else core.PutRegistryString(key, value.name, std::get<std::u16string>(value.data));
    }
    if (c.applicationList) core.PutFile(kFolder + u"\\set.alf", *c.applicationList);
    if (c.codeFile) core.PutFile(Utf16(contract::kCodeFilePath.narrow), *c.codeFile);
    if (c.logoFile) core.PutFile(kLogoPath, cases::LogoFile());
    for (const std::u16string& program : cases::kPrograms) core.PutFile(program, "MZ");
    for (const cases::Step& step : c.steps) core.setWhileWaiting.push_back(HappeningOf(step, core.clockMs));
    core.answers.assign(c.messages.size(), kIdOk);
    constexpr uint32_t kShowNormal = 1;
    result = device.machine.Call(device.module.entry, {device.module.base, 0, device.machine.ScratchWide(c.commandLine),
                                                       kShowNormal});
  }
  // Whether some screen showed a window with this text.
  bool Showed(const std::u16string& text) const {
    return std::any_of(device.core.screensSeen.begin(), device.core.screensSeen.end(), [&](const auto& screen) {
      return std::any_of(screen.begin(), screen.end(), [&](const ShownWindow& w) { return w.text == text; });
    });
  }
  ArmDevice device{"brindlecove.exe"};
  CallResult result;
};

void ExpectOnlyWithinTheScreen(const cases::EngineCase& c, const CoreLibrary& core) {
  const Rect screen{0, 0, c.screenWidth, c.screenHeight};
  for (const std::vector<ShownWindow>& shown : core.screensSeen) {
    for (const ShownWindow& w : shown) {
      const Rect& r = w.onScreen;
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= c.screenWidth && r.bottom <= c.screenHeight &&
                  r.left < r.right && r.top < r.bottom)
          << std::string(w.text.begin(), w.text.end()) << " outside the screen";
      if (w.topLevel) {
        EXPECT_EQ(r, screen) << "the kiosk window does not cover the screen";
      }
    }
  }
}

void ExpectTheTaskbar(const cases::EngineCase& c, const CoreLibrary& core) {
  const bool hidden = std::any_of(core.fullScreenCalls.begin(), core.fullScreenCalls.end(),
                                  [](const FullScreenCall& call) { return call.flags & kHideTaskbar; });
  EXPECT_EQ(hidden, c.taskbarHidden);
  if (!core.fullScreenCalls.empty()) {
    EXPECT_TRUE(core.fullScreenCalls.back().flags & kShowTaskbar) << "the taskbar is not shown again on leaving";
  }
}

void ExpectTheLogo(const cases::EngineCase& c, const CoreLibrary& core) {
  std::vector<Rect> blits;
  for (const Drawing& d : core.drawings) {
    if (d.kind == Drawing::Kind::Blit && d.what == kLogoPath && d.window != 0) blits.push_back(d.rect);
  }
  EXPECT_EQ(blits.empty(), c.logo == cases::Logo::None);
  for (const Rect& r : blits) {
    const bool ownSize = r.Width() == static_cast<int32_t>(cases::kLogoWidth) &&
                         r.Height() == static_cast<int32_t>(cases::kLogoHeight);
    EXPECT_EQ(ownSize, c.logo == cases::Logo::Centred);
  }
}

TEST(KioskEngineArm, Cases) {
  for (const cases::EngineCase& c : cases::EngineCases(Utf16(BC_VERSION))) {
    SCOPED_TRACE(c.what);
    const EngineRun run(c);
    const CoreLibrary& core = run.device.core;
    for (const std::string& problem : run.result.problems) ADD_FAILURE() << problem;
    std::map<std::string, int> problems;
    for (const std::string& problem : core.problems) ++problems[problem];
    for (const auto& [problem, times] : problems) ADD_FAILURE() << problem << " (" << times << " times)";
    EXPECT_EQ(run.result.r0, c.exitCode);
    std::vector<cases::Launch> launched;
    for (const StartedProcess& p : core.started) launched.push_back({p.program, p.commandLine});
    EXPECT_EQ(launched, c.launched);
    std::vector<std::u16string> messages;
    for (const Question& q : core.questions) messages.push_back(q.text);
    EXPECT_EQ(messages, c.messages);
    for (const std::u16string& text : c.shown) EXPECT_TRUE(run.Showed(text)) << std::string(text.begin(), text.end());
    for (const std::u16string& text : c.neverShown) EXPECT_FALSE(run.Showed(text));
    std::u16string list;
    for (const std::u16string& line : c.desktopList) list += (list.empty() ? u"" : u"|") + line;
    if (!list.empty()) {
      EXPECT_TRUE(run.Showed(list)) << "the desktop's list";
    }
    EXPECT_EQ(core.hotKeyCalls, c.hotKeyCalls);
    EXPECT_TRUE(core.hotKeys.empty()) << "a hot key is left registered";
    EXPECT_EQ(core.shellButtonPresses.size(), c.shellButtonPresses);
    EXPECT_EQ(core.resetCalls, c.resetCalls) << "a reset only on \"r\", the HAL's only after the power call";
    EXPECT_EQ(!core.broughtToFront.empty(), c.broughtToFront);
    EXPECT_GE(core.messagesDispatched, c.messagesAtLeast);
    ExpectOnlyWithinTheScreen(c, core);
    ExpectTheTaskbar(c, core);
    ExpectTheLogo(c, core);
    // A second engine leaves the running one's record and events alone.
    EXPECT_EQ(core.filesWritten.empty(), c.engineRunning);
    EXPECT_EQ(core.creations.empty(), c.engineRunning);
    if (!core.filesWritten.empty()) {
      const WrittenFile& record = core.filesWritten.back();
      EXPECT_EQ(record.path, kStatePath);
      for (const std::string& line : c.recordLines) EXPECT_NE(record.bytes.find(line + "\n"), std::string::npos) << line;
    }
    // Nothing left behind: handles, blocks, windows, DCs and GDI objects.
    EXPECT_EQ(core.OpenHandles(), 0u);
    EXPECT_TRUE(core.blocks.empty()) << core.blocks.size() << " LocalAlloc blocks not freed";
    EXPECT_EQ(core.WindowResources(), 0u);
    EXPECT_TRUE(core.setWhileWaiting.empty()) << "the engine left before the script ended";
    for (const std::u16string& event : kEvents) {
      EXPECT_FALSE(core.events.at(event).signalled) << "an event is left set for the next engine";
      EXPECT_EQ(core.events.at(event).handles, 1) << "only the other program's handle is left";
    }
  }
}

TEST(KioskEngineArm, ImageIsAtMost48Kilobytes) {
  std::ifstream image(CeModuleFile("brindlecove.exe"), std::ios::binary | std::ios::ate);
  ASSERT_TRUE(image.is_open());
  EXPECT_LE(static_cast<long>(image.tellg()), 48 * 1024);
}

}  // namespace
