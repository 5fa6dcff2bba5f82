// The CE ARM kiosk engine stand-in as a device starts it, on the emulated
// device: it holds its events, writes its state file, counts the button
// events and leaves kiosk mode when the exit event is set.
#include <gtest/gtest.h>

#include "device/engine_contract/engine_contract.h"
#include "tests/arm_device/arm_device.h"

namespace {

using namespace arm_device_test;
namespace contract = device::engine_contract;

const std::u16string kFolder = u"\\Program Files\\Brindlecove";
const std::u16string kEnginePath = kFolder + u"\\" + Utf16(contract::kEngineFileName.narrow);
const std::u16string kListPath = kFolder + u"\\" + Utf16(contract::kApplicationListFileName.narrow);
const std::u16string kStatePath = kFolder + u"\\engine_state.txt";
const std::u16string kExit = Utf16(contract::kExitEventName.narrow);
const std::u16string kButton = Utf16(contract::kButtonEventName.narrow);

std::string State(const char* started, int buttons, const char* kiosk) {
  return std::string("started=") + started + "\nbuttons=" + std::to_string(buttons) + "\nkiosk=" + kiosk + "\n";
}

// The engine installed in kFolder with a set.alf; the events that other
// programs set while it waits, in order.
struct EngineOnDevice {
  explicit EngineOnDevice(std::deque<Happening> happenings, bool withList = true) {
    device.core.modulePath = kEnginePath;
    if (withList) device.core.PutFile(kListPath, "1;0;Word;\\windows\\pword.exe;;");
    device.core.setWhileWaiting = std::move(happenings);
  }
  // The entry as the device's loader calls it: WinMain's four arguments, the
  // command line without the program's name.
  CallResult Start(const std::u16string& commandLine) {
    constexpr uint32_t kShowNormal = 1;
    return device.machine.Call(device.module.entry,
                               {device.module.base, 0, device.machine.ScratchWide(commandLine), kShowNormal});
  }
  std::vector<std::string> States() const {
    std::vector<std::string> states;
    for (const WrittenFile& file : device.core.filesWritten) {
      EXPECT_EQ(file.path, kStatePath);
      states.push_back(file.bytes);
    }
    return states;
  }
  ArmDevice device{"brindlecove.exe"};
};

void ExpectCleanEnd(const EngineOnDevice& engine, const CallResult& result, uint32_t exitCode) {
  EXPECT_TRUE(result.problems.empty()) << result.problems.front();
  EXPECT_TRUE(engine.device.core.problems.empty()) << engine.device.core.problems.front();
  EXPECT_EQ(result.r0, exitCode);
  EXPECT_EQ(engine.device.core.OpenHandles(), 0u);
  EXPECT_TRUE(engine.device.core.blocks.empty()) << "set.alf's buffer is not freed";
  EXPECT_TRUE(engine.device.core.events.empty()) << "an event handle is left";
}

TEST(KioskEngineArm, HoldsItsEventsAndLeavesKioskModeOnTheExitEvent) {
  for (const auto& [commandLine, started] :
       {std::pair<std::u16string, const char*>{u"r", "r"}, {u"", "plain"}, {u" r\t", "r"}, {u"R", "plain"}}) {
    SCOPED_TRACE(std::string(commandLine.begin(), commandLine.end()));
    EngineOnDevice engine({kExit});
    const CallResult result = engine.Start(commandLine);
    ExpectCleanEnd(engine, result, 0);
    EXPECT_EQ(engine.device.core.creations, (std::vector<EventCreation>{{kExit, true, false}, {kButton, true, false}}));
    EXPECT_EQ(engine.States(), (std::vector<std::string>{State(started, 0, "on"), State(started, 0, "left")}));
    EXPECT_EQ(engine.device.core.filesRead, std::vector<std::u16string>{kListPath});
  }
}

TEST(KioskEngineArm, CountsEachButtonEventAndResetsEachEvent) {
  EngineOnDevice engine({kButton, kButton, kExit});
  const CallResult result = engine.Start(u"r");
  ExpectCleanEnd(engine, result, 0);
  EXPECT_EQ(engine.States(), (std::vector<std::string>{State("r", 0, "on"), State("r", 1, "on"), State("r", 2, "on"),
                                                         State("r", 2, "left")}));
}

TEST(KioskEngineArm, ButtonEventsAndTheExitAreEachResetOnce) {
  EngineOnDevice engine({kButton, kExit});
  // The events outlive the engine here: another program holds them too.
  engine.device.core.HoldEvent(kExit);
  engine.device.core.HoldEvent(kButton);
  const CallResult result = engine.Start(u"");
  EXPECT_TRUE(result.problems.empty());
  EXPECT_EQ(result.r0, 0u);
  EXPECT_EQ(engine.device.core.events[kButton].resets, 1);
  EXPECT_EQ(engine.device.core.events[kExit].resets, 1);
  EXPECT_FALSE(engine.device.core.events[kExit].signalled) << "the exit is left set for the next engine";
  EXPECT_EQ(engine.device.core.events[kExit].handles, 1) << "only the other program's handle is left";
}

TEST(KioskEngineArm, AMissingApplicationListIsAnEmptyOne) {
  EngineOnDevice engine({kExit}, false);
  const CallResult result = engine.Start(u"");
  ExpectCleanEnd(engine, result, 0);
  EXPECT_TRUE(engine.device.core.filesRead.empty());
  EXPECT_EQ(engine.States().back(), State("plain", 0, "left"));
}

TEST(KioskEngineArm, WithoutItsEventsItEndsWithOneAndWritesNothing) {
  for (const std::u16string& refused : {kExit, kButton}) {
    SCOPED_TRACE(std::string(refused.begin(), refused.end()));
    EngineOnDevice engine({kExit});
    engine.device.core.refusedEvents = {refused};
    ExpectCleanEnd(engine, engine.Start(u"r"), 1);
    EXPECT_TRUE(engine.device.core.filesWritten.empty());
    EXPECT_TRUE(engine.device.core.waits.empty());
  }
}

TEST(KioskEngineArm, UnsignalledItWaitsOnTheExitEvent) {
  EngineOnDevice engine({});
  const CallResult result = engine.Start(u"");
  ASSERT_FALSE(result.problems.empty());
  EXPECT_EQ(result.problems.front(), "waits on BC_EXIT_EVENT, which nothing will ever set");
  EXPECT_EQ(engine.States(), std::vector<std::string>{State("plain", 0, "on")});
}

}  // namespace
