#pragma once
// Reads what a Windows program or library (PE32 or PE32+) imports, without
// loading it: the machine it is built for, the subsystem version its header
// asks for, and each imported function by library and name.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace import_check {

struct Import {
  std::string library;   // lower case, as Windows compares library names
  std::string function;  // the name, or "#<ordinal>" for an import by ordinal
  bool operator==(const Import&) const = default;
};

struct PeImage {
  uint16_t machine = 0;  // 0x14c: Intel 386, 0x8664: x86-64
  uint16_t subsystemMajor = 0;
  uint16_t subsystemMinor = 0;
  std::vector<Import> imports;
};

// Nothing when the bytes are not a well-formed PE image.
std::optional<PeImage> ReadPeImage(const std::vector<uint8_t>& file);

}  // namespace import_check
