// The CE ARM bcmgr.dll as the device's Remote API service calls it, on the
// emulated device, through the cases shared with the desktop build's tests.
#include <gtest/gtest.h>

#include "device/engine_contract/engine_contract.h"
#include "tests/arm_device/arm_device.h"
#include "tests/device/module_cases.h"

namespace {

using namespace arm_device_test;
using device::engine_contract::kExitEventName;

const std::u16string kCodeFile = Utf16(device::engine_contract::kCodeFilePath.narrow);
constexpr uint32_t kVerdictSize = 4;

// A block-mode call with the output's two pointers in scratch memory; the
// IRAPIStream pointer, the fifth argument, goes on the stack.
struct BlockCall {
  uint32_t status;
  uint32_t outputSize;
  uint32_t output;
};

BlockCall CallBlockMode(ArmDevice& device, const std::string& name, uint32_t cbInput, uint32_t input) {
  const uint32_t outputSize = device.machine.Scratch(4), output = device.machine.Scratch(4);
  device.machine.WriteU32(outputSize, 0xDEAD);
  const uint32_t status = device.Call(name, {cbInput, input, outputSize, output, 0});
  return {status, device.machine.ReadU32(outputSize), device.machine.ReadU32(output)};
}

// The verdict's first byte; checks the output's layout and frees it as the service does.
int Verdict(ArmDevice& device, uint32_t cbInput, uint32_t input) {
  const BlockCall call = CallBlockMode(device, "CheckLogin", cbInput, input);
  EXPECT_EQ(call.status, 0u);
  EXPECT_EQ(call.outputSize, kVerdictSize);
  const auto block = device.core.blocks.find(call.output);
  if (block == device.core.blocks.end()) {
    ADD_FAILURE() << "the verdict is no LocalAlloc block";
    return -1;
  }
  EXPECT_EQ(block->second, kVerdictSize);
  const std::vector<uint8_t> verdict = device.machine.ReadBytes(call.output, kVerdictSize);
  EXPECT_EQ(verdict[1] | verdict[2] | verdict[3], 0);
  device.core.blocks.erase(block);
  return verdict[0];
}

TEST(BcmgrArm, CheckLoginCases) {
  for (const device_test::LoginCase& c : device_test::LoginCases()) {
    SCOPED_TRACE(c.what);
    ArmDevice device("bcmgr.dll");
    if (c.codeFile) device.core.PutFile(kCodeFile, *c.codeFile);
    const std::vector<unsigned char> request = device_test::RequestOf(c);
    const uint32_t input = device.core.Allocate(request);
    EXPECT_EQ(Verdict(device, static_cast<uint32_t>(request.size()), input), c.verdict);
    EXPECT_TRUE(device.core.blocks.empty()) << "CheckLogin keeps its input";
    EXPECT_EQ(device.core.OpenHandles(), 0u) << "the code file is left open";
  }
}

TEST(BcmgrArm, InputWithoutABufferIsTheEmptyCode) {
  for (const uint32_t cbInput : {0u, 9u}) {
    SCOPED_TRACE(cbInput);
    ArmDevice device("bcmgr.dll");
    device.core.PutFile(kCodeFile, "");
    EXPECT_EQ(Verdict(device, cbInput, 0), 1);
    device.core.PutFile(kCodeFile, "4711");
    EXPECT_EQ(Verdict(device, cbInput, 0), 0);
  }
}

TEST(BcmgrArm, ExitKioskModeSetsTheHeldEventOnceAndFreesItsInput) {
  ArmDevice device("bcmgr.dll");
  const std::u16string name = Utf16(kExitEventName.narrow);
  device.core.HoldEvent(name);
  const BlockCall call = CallBlockMode(device, "ExitKioskMode", 2, device.core.Allocate({1, 2}));
  EXPECT_EQ(call.status, 0u);
  EXPECT_EQ(call.output, 0u);
  EXPECT_TRUE(device.core.blocks.empty()) << "ExitKioskMode keeps its input";
  const Event& event = device.core.events[name];
  EXPECT_EQ(event.sets, 1);
  EXPECT_TRUE(event.signalled);
  EXPECT_EQ(event.handles, 1) << "only the engine's handle is left";
  EXPECT_EQ(device.core.creations, (std::vector<EventCreation>{{name, true, false}})) << "a manual-reset event";
  EXPECT_GT(device.core.sleptMs, 0u) << "no pause for the engine before the handle goes";
  EXPECT_EQ(device.core.OpenHandles(), 0u);
}

TEST(BcmgrArm, ExitKioskModeWithoutEngineLeavesNoEvent) {
  ArmDevice device("bcmgr.dll");
  EXPECT_EQ(CallBlockMode(device, "ExitKioskMode", 0, 0).status, 0u);
  EXPECT_TRUE(device.core.events.empty());
  EXPECT_EQ(device.core.OpenHandles(), 0u);
}

}  // namespace
