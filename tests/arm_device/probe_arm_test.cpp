// A module's own accesses on the emulated device: its globals are writable,
// its constants are not code.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/arm_device/arm_device.h"

namespace {

using namespace arm_device_test;

TEST(PageProtection, AModuleWritesItsGlobals) {
  ArmDevice device("probe.dll");
  for (uint32_t expected : {1u, 2u}) EXPECT_EQ(device.Call("CountCall", {}), expected);
}

TEST(PageProtection, AJumpIntoAConstantEndsTheCallNamingTheAddressAndTheSection) {
  ArmDevice device("probe.dll");
  const CallResult result = device.machine.Call(device.module.exports.at("JumpIntoConstant"), {});
  char expected[96];
  std::snprintf(expected, sizeof expected, "instruction fetched from 0x%08x in .rdata of probe.dll, which is not executable",
                device.module.exports.at("ReturnInConstant"));
  ASSERT_FALSE(result.problems.empty());
  EXPECT_EQ(result.problems.front(), expected);
}

}  // namespace
