#pragma once
// The parts of a linked 32-bit little-endian ARM ELF executable that become a
// CE image: its sections, its symbols and the relocations the linker kept
// (--emit-relocs), each at the final address the image was linked for.
#include <cstdint>
#include <string>
#include <vector>

namespace ce_image_tool {

inline constexpr uint16_t kElfExecutable = 2;  // ET_EXEC
inline constexpr uint16_t kElfMachineArm = 40;  // EM_ARM
inline constexpr uint32_t kElfHeaderSize = 52;
inline constexpr uint32_t kElfSectionHeaderSize = 40;
inline constexpr uint32_t kElfSymbolSize = 16;
inline constexpr uint32_t kElfRelocationSize = 8;

enum ElfSectionType : uint32_t { kProgramBits = 1, kSymbolTable = 2, kStringTable = 3, kRelocationsWithAddends = 4, kNoBits = 8, kRelocations = 9 };
enum ElfSectionFlag : uint32_t { kWritable = 1, kAllocated = 2, kExecutable = 4 };

// ARM relocation types (ELF for the ARM Architecture).
enum ArmRelocation : uint32_t {
  kArmNone = 0,
  kArmPc24 = 1,
  kArmAbs32 = 2,
  kArmRel32 = 3,
  kArmCall = 28,
  kArmJump24 = 29,
  kArmV4Bx = 40,
};

struct ElfSection {
  std::string name;
  uint32_t type = 0;
  uint32_t flags = 0;
  uint32_t address = 0;
  uint32_t size = 0;
  std::vector<uint8_t> bytes;  // empty for kNoBits
};

struct ElfSymbol {
  std::string name;
  uint32_t value = 0;
  uint16_t section = 0;  // 0: undefined
};

struct ElfRelocation {
  uint32_t place = 0;  // the address it patched
  uint32_t type = 0;
  uint32_t symbol = 0;  // index into ElfFile::symbols, 0 for none
};

struct ElfFile {
  uint32_t entry = 0;
  std::vector<ElfSection> sections;
  std::vector<ElfSymbol> symbols;          // symbols[0] is the null symbol
  std::vector<ElfRelocation> relocations;  // those of allocated sections only
};

// Throws ImageError naming what makes the bytes unusable: not an ELF file,
// not 32-bit little-endian, not ARM, not a linked executable, a table that
// reaches past the end of the file or ends inside one of its entries.
ElfFile ReadElfFile(const std::vector<uint8_t>& bytes);

}  // namespace ce_image_tool
