#include "ce_image_tool/import_thunks.h"

namespace ce_image_tool {

std::string ImportThunkSource(const OrdinalTable& table) {
  std::string source =
      "@ Generated from the reviewed coredll table by bcimage: one thunk per function.\n"
      "@ BX rather than a load into PC: on ARMv4T only BX switches to a Thumb callee.\n"
      "  .syntax unified\n  .arm\n";
  for (const auto& [function, ordinal] : table) {
    const std::string slot = kSlotPrefix + function;
    source += "\n  .section .text.coredll." + function + ",\"ax\",%progbits\n  .globl " + function + "\n  .type " +
              function + ",%function\n  .p2align 2\n" + function + ":  @ ordinal " + std::to_string(ordinal) +
              "\n  ldr ip, 1f\n  ldr ip, [ip]\n  bx ip\n1:\n  .word " + slot + "\n  .section " + kSlotSectionPrefix +
              function + ",\"aw\",%progbits\n  .globl " + slot + "\n  .p2align 2\n" + slot + ":\n  .word 0\n";
  }
  return source;
}

}  // namespace ce_image_tool
