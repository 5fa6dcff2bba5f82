// Reading the linked ARM ELF file, and refusing what is not one.
#include <gtest/gtest.h>

#include <algorithm>

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

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}

// Where a field of the named section's header lies in the built file.
size_t HeaderField(const std::vector<uint8_t>& bytes, const std::string& section, size_t field) {
  const ElfFile elf = ReadElfFile(bytes);
  const auto found = std::find_if(elf.sections.begin(), elf.sections.end(),
                                  [&](const ElfSection& s) { return s.name == section; });
  EXPECT_NE(found, elf.sections.end()) << section;
  return U32(bytes, 32) + kElfSectionHeaderSize * static_cast<size_t>(found - elf.sections.begin()) + field;
}

constexpr size_t kOffsetField = 16, kSizeField = 20;

// Each structure ending exactly at its limit, and one byte past it.
TEST(ElfFile, EachStructureEndsAtItsLimitOrIsRefused) {
  const std::vector<uint8_t> good = BuildElf(SmallProgram());
  const auto patch = [&](const std::string& section, size_t field, int change) {
    std::vector<uint8_t> bytes = good;
    const size_t at = HeaderField(good, section, field);
    PutU32(bytes, at, U32(bytes, at) + change);
    return bytes;
  };
  // The contents of .debug_info moved to the file's end, or one byte further.
  const auto debugAtEnd = [&](int past) {
    std::vector<uint8_t> bytes = good;
    PutU32(bytes, HeaderField(good, ".debug_info", kOffsetField), static_cast<uint32_t>(good.size() - 4 + past));
    return bytes;
  };
  // The first symbol's name at an offset of .strtab's size, or one before it (its last zero: an empty name).
  const auto symbolNameAt = [&](int fromEnd) {
    std::vector<uint8_t> bytes = good;
    const uint32_t symbols = U32(good, HeaderField(good, ".symtab", kOffsetField));
    PutU32(bytes, symbols + kElfSymbolSize, U32(good, HeaderField(good, ".strtab", kSizeField)) - fromEnd);
    return bytes;
  };
  const std::vector<uint8_t> header(good.begin(), good.begin() + kElfHeaderSize - 1);
  const std::vector<uint8_t> headerTable(good.begin(), good.end() - 1);
  const struct {
    std::string what;
    std::vector<uint8_t> bytes;
    std::string message;  // empty: read
  } cases[] = {
      {"the file header", header, "not an ELF file"},
      {"the section header table", headerTable, "the ELF file is cut short"},
      {"a section's contents at the end", debugAtEnd(0), ""},
      {"a section's contents", debugAtEnd(1), "the ELF file is cut short"},
      {"the symbol table", patch(".symtab", kSizeField, -1), "section .symtab is not a whole number of 16-byte entries"},
      {"a relocation table", patch(".rel.text", kSizeField, -1),
       "section .rel.text is not a whole number of 8-byte entries"},
      {"the symbol names", patch(".strtab", kSizeField, -1), "a name runs past the end of its string table"},
      {"the section names", patch(".shstrtab", kSizeField, -1), "a name runs past the end of its string table"},
      {"a name on the last zero", symbolNameAt(1), ""},
      {"a name past the table", symbolNameAt(0), "a name lies outside its string table"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.message.empty()) {
      EXPECT_NO_THROW(ReadElfFile(c.bytes));
    } else {
      ExpectError([&] { ReadElfFile(c.bytes); }, c.message);
    }
  }
}

TEST(ElfFile, RefusesAnIncompleteFile) {
  ExpectRefused([](TestElf& e) { e.symbolTable = false; }, "no symbol table");
  ExpectRefused([](TestElf& e) { e.sections.push_back({".rela.text", 0, 0, {}, kRelocationsWithAddends}); },
                "relocations with addends (RELA) are not supported");
  ExpectRefused([](TestElf& e) { e.relocations[0].symbol = 7; }, "a relocation names a symbol that does not exist");
}

}  // namespace
