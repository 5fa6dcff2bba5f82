#pragma once
// Builds small linked ARM ELF files for the image tool's tests, as ld.lld
// writes them with --emit-relocs: allocated sections, a symbol table and one
// relocation section per allocated section that has relocations.
#include <cstdint>
#include <string>
#include <vector>

namespace ce_image_tool_test {

struct TestSection {
  std::string name;
  uint32_t flags = 0;  // ce_image_tool::ElfSectionFlag
  uint32_t address = 0;
  std::vector<uint8_t> bytes;
  uint32_t type = 1;  // SHT_PROGBITS
};

struct TestSymbol {
  std::string name;
  uint32_t value = 0;
  uint16_t section = 0;  // 1-based index into the sections, 0: undefined
};

struct TestRelocation {
  uint16_t section = 0;  // 1-based index of the section patched
  uint32_t place = 0;
  uint32_t type = 0;
  uint32_t symbol = 0;  // 1-based index into the symbols, 0: none
};

struct TestElf {
  uint32_t entry = 0;
  std::vector<TestSection> sections;
  std::vector<TestSymbol> symbols;
  std::vector<TestRelocation> relocations;
  // The header's identification and kind, for the refusals.
  uint8_t elfClass = 1;
  uint8_t byteOrder = 1;
  uint16_t machine = 40;
  uint16_t kind = 2;
  bool symbolTable = true;
};

std::vector<uint8_t> BuildElf(const TestElf& elf);

}  // namespace ce_image_tool_test
