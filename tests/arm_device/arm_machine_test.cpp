// The emulated processor keeps each page's protection: a breach ends the call
// with the address and the name of what is mapped there.
#include <gtest/gtest.h>

#include "tests/arm_device/arm_machine.h"

namespace {

using namespace arm_device_test;

constexpr uint32_t kCode = 0x00200000, kTarget = 0x00300000, kAt = kTarget + 0x10;
constexpr uint32_t kStore = 0xE5801000;   // str r1, [r0]
constexpr uint32_t kLoad = 0xE5900000;    // ldr r0, [r0]
constexpr uint32_t kReturn = 0xE12FFF1E;  // bx lr

TEST(ArmMachine, AnAccessThePageDoesNotAllowEndsTheCallNamingAddressAndPages) {
  const struct {
    uint32_t instruction;  // run at kCode with R0 = at, or the return at at itself when jumping there
    uint32_t access;       // of the target page
    uint32_t at;
    bool jump;
    const char* problem;  // none: the call returns cleanly
  } cases[] = {
      {kStore, kPageRead, kAt, false, "write to 0x00300010 in target, which is not writable"},
      {kStore, kPageRead | kPageWrite, kAt, false, nullptr},
      {kLoad, 0, kAt, false, "read of 0x00300010 in target, which is not readable"},
      {kLoad, kPageRead, kAt, false, nullptr},
      {kReturn, kPageRead | kPageWrite, kAt, true, "instruction fetched from 0x00300010 in target, which is not executable"},
      {kReturn, kPageRead | kPageExecute, kAt, true, nullptr},
      {kReturn, kPageRead, kStackBase, true, "instruction fetched from 0x00100000 in the stack, which is not executable"},
      {kReturn, kPageRead, kHeapBase, true, "instruction fetched from 0x02000000 in the heap, which is not executable"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.problem ? c.problem : "allowed");
    ArmMachine machine;
    machine.Map(kCode, kPageSize, kPageRead | kPageExecute, "code");
    machine.Map(kTarget, kPageSize, c.access, "target");
    machine.WriteU32(kCode, c.instruction);
    machine.WriteU32(kCode + 4, kReturn);
    machine.WriteU32(c.at, kReturn);  // the loader's writes pass any protection
    const CallResult result = machine.Call(c.jump ? c.at : kCode, {c.at, 0});
    if (c.problem) {
      ASSERT_FALSE(result.problems.empty());
      EXPECT_EQ(result.problems.front(), c.problem);
    } else {
      EXPECT_TRUE(result.problems.empty()) << result.problems.front();
    }
  }
}

}  // namespace
