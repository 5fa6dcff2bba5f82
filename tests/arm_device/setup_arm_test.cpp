// The CE ARM BCESetup.dll as the device's package installer calls it, on the
// emulated device, and bcebtn.exe as the device starts it.
#include <gtest/gtest.h>

#include "device/engine_contract/engine_contract.h"
#include "device/setup/engine_path.h"
#include "tests/arm_device/arm_device.h"
#include "tests/device/module_cases.h"

namespace {

using namespace arm_device_test;
using device::engine_contract::kButtonEventName;

constexpr int kIdYes = 6, kIdNo = 7;
constexpr uint32_t kYesNo = 4;  // MB_YESNO
const std::u16string kInstallFolder = u"\\Program Files\\Brindlecove";
const std::u16string kEngineName = Utf16(device::engine_contract::kEngineFileName.narrow);

// Install_Exit's seven arguments: the last three on the stack.
uint32_t InstallExit(ArmDevice& device, const std::u16string& folder) {
  return device.Call("Install_Exit", {0, device.machine.ScratchWide(folder), 0, 0, 0, 0, 0});
}

std::vector<std::u16string> AskedQuestions(const ArmDevice& device) {
  std::vector<std::u16string> texts;
  for (const Question& q : device.core.questions) {
    EXPECT_EQ(q.caption, Utf16(device_test::kSetupCaption));
    EXPECT_EQ(q.type, kYesNo);
    texts.push_back(q.text);
  }
  return texts;
}

TEST(SetupArm, InstallExitCases) {
  for (const device_test::InstallExitCase& c : device_test::InstallExitCases()) {
    SCOPED_TRACE(c.what);
    ArmDevice device("BCESetup.dll");
    const std::u16string engine = kInstallFolder + u"\\" + kEngineName;
    if (c.enginePlaced) device.core.PutFile(engine, "engine");
    for (bool yes : c.answers) device.core.answers.push_back(yes ? kIdYes : kIdNo);
    EXPECT_EQ(InstallExit(device, kInstallFolder), 0u);  // codINSTALL_EXIT_DONE
    std::vector<std::u16string> expected{Utf16(device_test::kSetupResetQuestion)};
    if (!c.answers.front()) expected.push_back(Utf16(device_test::kSetupStartQuestion));
    EXPECT_EQ(AskedQuestions(device), expected);
    if (c.engineCommandLine) {
      ASSERT_EQ(device.core.started.size(), 1u);
      EXPECT_EQ(device.core.started[0].program, engine);
      EXPECT_EQ(device.core.started[0].commandLine, Utf16(*c.engineCommandLine));
      EXPECT_FALSE(device.core.started[0].startupInfo) << "CE wants no start-up information";
    } else {
      EXPECT_TRUE(device.core.started.empty());
    }
    EXPECT_EQ(device.core.OpenHandles(), 0u);
  }
}

TEST(SetupArm, InstallFolderTooLongForTheEnginePathStartsNothing) {
  for (const size_t extra : {0u, 1u}) {
    SCOPED_TRACE(extra);
    ArmDevice device("BCESetup.dll");
    // The longest folder whose engine path fits, and one unit more.
    const std::u16string tail = u"\\" + kEngineName;
    const std::u16string folder(device::setup::kEnginePathUnits - 1 - tail.size() + extra, u'd');
    device.core.PutFile(folder + tail, "engine");
    device.core.answers = {kIdYes};
    EXPECT_EQ(InstallExit(device, folder), 0u);
    EXPECT_EQ(device.core.started.size(), extra == 0 ? 1u : 0u);
  }
}

TEST(SetupArm, OtherHooksLetTheInstallerGoOnWithoutAsking) {
  ArmDevice device("BCESetup.dll");
  const uint32_t folder = device.machine.ScratchWide(kInstallFolder);
  EXPECT_EQ(device.Call("Install_Init", {0, 1, 0, folder}), 0u);
  EXPECT_EQ(device.Call("Uninstall_Init", {0, folder}), 0u);
  EXPECT_EQ(device.Call("Uninstall_Exit", {0}), 0u);
  EXPECT_TRUE(device.core.questions.empty());
  EXPECT_TRUE(device.core.started.empty());
}

// bcebtn's entry as the device calls it: WinMain's four arguments.
uint32_t RunButtonSignal(ArmDevice& device) {
  constexpr uint32_t kShowNormal = 1;
  return device.Call("", {device.module.base, 0, device.machine.ScratchWide(u"--any /thing"), kShowNormal});
}

TEST(ButtonSignalArm, SetsTheHeldEventOnceAndReturns) {
  ArmDevice device("bcebtn.exe");
  const std::u16string name = Utf16(kButtonEventName.narrow);
  device.core.HoldEvent(name);
  EXPECT_EQ(RunButtonSignal(device), 0u);
  EXPECT_EQ(device.core.events[name].sets, 1);
  EXPECT_EQ(device.core.events[name].handles, 1) << "only the engine's handle is left";
  EXPECT_EQ(device.core.creations, (std::vector<EventCreation>{{name, true, false}}));
  EXPECT_TRUE(device.core.questions.empty()) << "no window";
  EXPECT_EQ(device.core.filesOpened, 0) << "no file";
  EXPECT_EQ(device.core.OpenHandles(), 0u);
}

TEST(ButtonSignalArm, WithoutEngineLeavesNoEvent) {
  ArmDevice device("bcebtn.exe");
  EXPECT_EQ(RunButtonSignal(device), 0u);
  EXPECT_TRUE(device.core.events.empty());
  EXPECT_EQ(device.core.OpenHandles(), 0u);
}

}  // namespace
