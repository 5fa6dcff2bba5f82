// Reading the linked ARM ELF file, and refusing what is not one.
#include <gtest/gtest.h>

#include "ce_image_tool/elf_file.h"
#include "tests/ce_image_tool/elf_builder.h"
#include "tests/ce_image_tool/expect_error.h"

namespace {

using namespace ce_image_tool;
using ce_image_tool_test::BuildElf;
using ce_image_tool_test::ExpectError;
using ce_image_tool_test::TestElf;

TestElf SmallProgram() {
  TestElf elf;
  elf.entry = 0x11004;
  elf.sections = {{".text", kAllocated | kExecutable, 0x11000, {1, 2, 3, 4, 5, 6, 7, 8}},
                  {".bss", kAllocated | kWritable, 0x12000, std::vector<uint8_t>(16), kNoBits},
                  {".debug_info", 0, 0, {0, 0, 0, 0}}};
  elf.symbols = {{"WinMain", 0x11004, 1}, {"CreateEventW", 0, 0}};
  elf.relocations = {{1, 0x11000, kArmCall, 2}, {3, 0, kArmAbs32, 1}};
  return elf;
}

TEST(ElfFile, ReadsSectionsSymbolsAndTheLoadedSectionsRelocations) {
  const ElfFile elf = ReadElfFile(BuildElf(SmallProgram()));
  EXPECT_EQ(elf.entry, 0x11004u);
  ASSERT_GE(elf.sections.size(), 4u);
  EXPECT_EQ(elf.sections[1].name, ".text");
  EXPECT_EQ(elf.sections[1].address, 0x11000u);
  EXPECT_EQ(elf.sections[1].bytes, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(elf.sections[2].size, 16u);
  EXPECT_TRUE(elf.sections[2].bytes.empty());
  ASSERT_EQ(elf.symbols.size(), 3u);
  EXPECT_EQ(elf.symbols[1].name, "WinMain");
  EXPECT_EQ(elf.symbols[1].value, 0x11004u);
  EXPECT_EQ(elf.symbols[2].section, 0);
  // The debugging section's relocation is not the image's.
  ASSERT_EQ(elf.relocations.size(), 1u);
  EXPECT_EQ(elf.relocations[0].place, 0x11000u);
  EXPECT_EQ(elf.relocations[0].type, kArmCall);
  EXPECT_EQ(elf.relocations[0].symbol, 2u);
}

// The small program with one change must be refused with the message.
void ExpectRefused(void (*change)(TestElf&), const std::string& message) {
  TestElf elf = SmallProgram();
  change(elf);
  const std::vector<uint8_t> bytes = BuildElf(elf);
  ExpectError([&] { ReadElfFile(bytes); }, message);
}

TEST(ElfFile, RefusesWhatIsNoArmExecutable) {
  ExpectError([] { ReadElfFile({'M', 'Z', 0, 0}); }, "not an ELF file");
  std::vector<uint8_t> notElf = BuildElf(SmallProgram());
  notElf[0] = 'M';
  ExpectError([&] { ReadElfFile(notElf); }, "not an ELF file");
  ExpectRefused([](TestElf& e) { e.elfClass = 2; }, "not a 32-bit little-endian ELF file");
  ExpectRefused([](TestElf& e) { e.byteOrder = 2; }, "not a 32-bit little-endian ELF file");
  ExpectRefused([](TestElf& e) { e.machine = 3; }, "not built for ARM (ELF machine 3)");
  ExpectRefused([](TestElf& e) { e.kind = 1; }, "not a linked executable");
}

TEST(ElfFile, RefusesACutOrIncompleteFile) {
  std::vector<uint8_t> cut = BuildElf(SmallProgram());
  cut.resize(cut.size() - 12);  // into the last section header's fields
  ExpectError([&] { ReadElfFile(cut); }, "the ELF file is cut short");
  ExpectRefused([](TestElf& e) { e.symbolTable = false; }, "no symbol table");
  ExpectRefused([](TestElf& e) { e.sections.push_back({".rela.text", 0, 0, {}, kRelocationsWithAddends}); },
                "relocations with addends (RELA) are not supported");
  ExpectRefused([](TestElf& e) { e.relocations[0].symbol = 7; }, "a relocation names a symbol that does not exist");
}

}  // namespace
