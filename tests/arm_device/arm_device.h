#pragma once
// One emulated device with one CE ARM module of build/ce-arm loaded away from
// its preferred base, and our coredll beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/arm_device/arm_machine.h"
#include "tests/arm_device/ce_loader.h"
#include "tests/arm_device/core_library.h"

namespace arm_device_test {

// Below both preferred bases (0x10000000 for libraries, 0x00010000 for programs).
inline constexpr uint32_t kLoadBase = 0x00400000;

// A file of the CE ARM tree.
std::string CeModuleFile(const std::string& name);

std::u16string Utf16(const std::string& ascii);

class ArmDevice {
 public:
  explicit ArmDevice(const std::string& moduleName)
      : module(LoadModule(machine, [this](uint16_t ordinal) { return core.Resolve(ordinal); },
                          CeModuleFile(moduleName), kLoadBase)) {
    core.moduleBase = module.base;
  }

  // Calls an export, or the entry point for "", and expects it to keep the
  // calling convention and to use its coredll functions rightly.
  uint32_t Call(const std::string& exportName, const std::vector<uint32_t>& arguments);

  ArmMachine machine;
  CoreLibrary core{machine};
  LoadedModule module;
};

}  // namespace arm_device_test
