// Libraries loaded by name: aygshell as a second module of the emulated
// device (its Pocket PC ordinals are unconfirmed, so a program asks for
// SHFullScreen by name; a device without aygshell refuses to load it), and
// coredll itself, whose SetSystemPowerState a program looks up by name since
// only a device with the power manager has it.
#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint16_t kSetSystemPowerState = 1582;

}  // namespace

uint32_t CoreLibrary::LoadLibraryW() {
  std::u16string name = Lower(machine_.ReadWide(machine_.Argument(0)));
  if (name.rfind(u"\\windows\\", 0) == 0) name = name.substr(9);
  uint32_t module = 0;
  if (hasShellLibrary && (name == u"aygshell.dll" || name == u"aygshell")) module = kShellLibraryBase;
  if (name == u"coredll.dll" || name == u"coredll") module = kCoreLibraryBase;
  if (module != 0) ++libraryLoads_[module];
  return module;
}

uint32_t CoreLibrary::FreeLibrary() {
  const auto loaded = libraryLoads_.find(machine_.Argument(0));
  if (loaded == libraryLoads_.end() || loaded->second == 0) {
    Problem("FreeLibrary of no loaded library");
    return 0;
  }
  --loaded->second;
  return 1;
}

uint32_t CoreLibrary::GetProcAddressW() {
  const uint32_t module = machine_.Argument(0), name = machine_.Argument(1);
  const auto loaded = libraryLoads_.find(module);
  if (loaded == libraryLoads_.end() || loaded->second == 0 || name < 0x10000) {
    Problem("GetProcAddressW of no loaded library, or by ordinal");
    return 0;
  }
  const std::u16string wanted = machine_.ReadWide(name);
  if (module == kShellLibraryBase) return wanted == u"SHFullScreen" ? kShellLibraryBase : 0;
  return wanted == u"SetSystemPowerState" && powerStateAnswer ? *Resolve(kSetSystemPowerState) : 0;
}

uint32_t CoreLibrary::ShFullScreen() {
  const uint32_t window = machine_.Argument(0);
  if (WindowOf(window, "SHFullScreen") == nullptr) return 0;
  fullScreenCalls.push_back({window, machine_.Argument(1)});
  return 1;
}

}  // namespace arm_device_test
