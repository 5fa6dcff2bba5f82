// aygshell as a second module of the emulated device, loaded by name: its
// Pocket PC ordinals are unconfirmed, so a program asks for SHFullScreen by
// name. A device without aygshell refuses to load it.
#include "tests/arm_device/core_library.h"

namespace arm_device_test {

uint32_t CoreLibrary::LoadLibraryW() {
  std::u16string name = Lower(machine_.ReadWide(machine_.Argument(0)));
  if (name.rfind(u"\\windows\\", 0) == 0) name = name.substr(9);
  if (!hasShellLibrary || (name != u"aygshell.dll" && name != u"aygshell")) return 0;
  ++shellLoads_;
  return kShellLibraryBase;
}

uint32_t CoreLibrary::FreeLibrary() {
  if (machine_.Argument(0) != kShellLibraryBase || shellLoads_ == 0) {
    Problem("FreeLibrary of no loaded library");
    return 0;
  }
  --shellLoads_;
  return 1;
}

uint32_t CoreLibrary::GetProcAddressW() {
  const uint32_t name = machine_.Argument(1);
  if (machine_.Argument(0) != kShellLibraryBase || shellLoads_ == 0 || name < 0x10000) {
    Problem("GetProcAddressW of no loaded library, or by ordinal");
    return 0;
  }
  return machine_.ReadWide(name) == u"SHFullScreen" ? kShellLibraryBase : 0;
}

uint32_t CoreLibrary::ShFullScreen() {
  const uint32_t window = machine_.Argument(0);
  if (WindowOf(window, "SHFullScreen") == nullptr) return 0;
  fullScreenCalls.push_back({window, machine_.Argument(1)});
  return 1;
}

}  // namespace arm_device_test
