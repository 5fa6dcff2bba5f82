#pragma once
// Loads a Windows CE ARM image into the emulated device as the CE loader
// does: at the address given, which need not be its preferred base, the
// headers read-only and each section with the access its flags give, with its
// base relocations applied and each import bound by ordinal to our coredll.
#include <cstdint>
#include <functional>
#include <optional>
#include <map>
#include <stdexcept>
#include <string>

#include "tests/arm_device/arm_machine.h"

namespace arm_device_test {

struct LoadedModule {
  uint32_t base = 0;
  uint32_t preferredBase = 0;
  uint32_t entry = 0;
  std::map<std::string, uint32_t> exports;  // name: address
};

// What the device's loader refuses; the message says why, as its debug output does.
class LoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The address of a coredll export by its ordinal; nothing when it has none.
using OrdinalResolver = std::function<std::optional<uint32_t>(uint16_t ordinal)>;

LoadedModule LoadModule(ArmMachine& machine, const OrdinalResolver& resolve, const std::string& path, uint32_t base);

}  // namespace arm_device_test
