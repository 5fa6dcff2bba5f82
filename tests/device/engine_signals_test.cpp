// The device's signals end to end: the kiosk engine running from an
// installation folder, bcebtn.exe and bcmgr's ExitKioskMode signalling it.
// Without configuration values the engine shows its start-up screen.
#include <gtest/gtest.h>

#include <string>

#include "device/bcmgr/bcmgr.h"
#include "device/engine_contract/engine_contract.h"
#include "device/kiosk_engine/core/engine_state.h"
#include "device/kiosk_engine/kiosk_controls.h"
#include "support/library.h"
#include "support/text.h"
#include "tests/device/device_test_support.h"

namespace {

using namespace device_test;
using device::engine_contract::kButtonEventName;
using device::engine_contract::kExitEventName;

const std::string kTwoApplications = "0;0;Word;\\windows\\pword.exe;;0;1;Notes;\\windows\\notes.exe;-x;";

// The x86 engine resets nothing: after "r" it records the reset as failed.
std::string State(bool reset, unsigned buttons, bool left) {
  device::kiosk_engine::EngineState state{reset, buttons, left};
  if (reset) state.reset = device::kiosk_engine::ResetOutcome::Failed;
  return device::kiosk_engine::FormatEngineState(state).Get();
}

// Runs bcebtn.exe with a command line; its exit code (STILL_ACTIVE if it did not end).
DWORD RunButtonSignal(const std::string& commandLine) {
  gui_driver::Process button(support::Narrow(DeviceFile(L"bcebtn.exe")), gui_driver::CommandLine{commandLine});
  return button.WaitForExit();
}

// The engine installed in a fresh folder with a set.alf and started with a
// command line; the state file shows it is up.
class RunningEngine {
 public:
  explicit RunningEngine(const std::string& commandLine) {
    const std::wstring enginePath = folder_.File(device::engine_contract::kEngineFileName.wide);
    CopyFileW(DeviceFile(L"brindlecove.exe").c_str(), enginePath.c_str(), FALSE);
    WriteWholeFile(folder_.File(device::engine_contract::kApplicationListFileName.wide), kTwoApplications);
    process_.emplace(support::Narrow(enginePath), gui_driver::CommandLine{commandLine});
  }
  // The first engine in a new prefix loads its libraries cold.
  bool WaitForState(const std::string& expected) {
    return WaitUntil([&] { return StateFile() == expected; }, 30s);
  }
  std::optional<std::string> StateFile() const {
    return ReadWholeFile(folder_.File(device::kiosk_engine::kStateFileName));
  }
  // This engine's own window: an engine that another test's install started
  // may show one of the same class and title at the same time.
  HWND Window() const {
    return gui_driver::FindTopWindow(process_->Id(), [](HWND window) {
      wchar_t className[64] = {};
      GetClassNameW(window, className, 64);
      return std::wstring(className) == device::kiosk_engine::kKioskWindowClass;
    });
  }
  gui_driver::Process& process() { return *process_; }

 private:
  TempFolder folder_;
  std::optional<gui_driver::Process> process_;
};

TEST(KioskEngineSignals, StartedWithResetCoversTheScreen) {
  RunningEngine engine("r");
  ASSERT_TRUE(engine.process().Started());
  ASSERT_TRUE(engine.WaitForState(State(true, 0, false))) << engine.StateFile().value_or("no state file");
  HWND window = engine.Window();
  ASSERT_NE(window, nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
}

TEST(KioskEngineSignals, EmptyCommandLineIsAPlainStart) {
  RunningEngine engine("");
  EXPECT_TRUE(engine.WaitForState(State(false, 0, false))) << engine.StateFile().value_or("no state file");
}

TEST(KioskEngineSignals, CountsEachRunOfTheButtonSignal) {
  RunningEngine engine("r");
  ASSERT_TRUE(engine.WaitForState(State(true, 0, false)));
  EXPECT_EQ(RunButtonSignal("bcebtn.exe"), 0u);
  EXPECT_TRUE(engine.WaitForState(State(true, 1, false))) << engine.StateFile().value_or("no state file");
  EXPECT_EQ(RunButtonSignal("bcebtn.exe --any /thing \"quoted words\""), 0u);
  EXPECT_TRUE(engine.WaitForState(State(true, 2, false))) << engine.StateFile().value_or("no state file");
}

TEST(KioskEngineSignals, ExitKioskModeEndsKioskMode) {
  RunningEngine engine("");
  ASSERT_TRUE(engine.WaitForState(State(false, 0, false)));
  ASSERT_NE(engine.Window(), nullptr);
  support::Library bcmgr(DeviceFile(L"bcmgr.dll"));
  const auto exitKioskMode = bcmgr.Bind<RapiBlockFunction>(device::engine_contract::kExitKioskModeExport.narrow);
  ASSERT_NE(exitKioskMode, nullptr);
  DWORD outputSize = 0;
  BYTE* output = nullptr;
  EXPECT_EQ(exitKioskMode(0, nullptr, &outputSize, &output, nullptr), 0);
  EXPECT_EQ(engine.process().WaitForExit(), 0u);
  EXPECT_EQ(engine.StateFile(), State(false, 0, true));
  EXPECT_EQ(engine.Window(), nullptr);
  EXPECT_FALSE(NamedEventExists(kExitEventName.wide));
  EXPECT_FALSE(NamedEventExists(kButtonEventName.wide));
}

TEST(ButtonSignal, SetsAHeldEventOnceAndLeavesItSet) {
  HANDLE held = CreateEventW(nullptr, TRUE, FALSE, kButtonEventName.wide);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(RunButtonSignal("bcebtn.exe"), 0u);
  EXPECT_EQ(WaitForSingleObject(held, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(held, 0), WAIT_OBJECT_0);
  CloseHandle(held);
}

TEST(ButtonSignal, WithoutEngineLeavesNoEventAndExitsZero) {
  ASSERT_FALSE(NamedEventExists(kButtonEventName.wide));
  EXPECT_EQ(RunButtonSignal(""), 0u);
  EXPECT_EQ(RunButtonSignal("bcebtn.exe extra words"), 0u);
  EXPECT_FALSE(NamedEventExists(kButtonEventName.wide));
}

}  // namespace
