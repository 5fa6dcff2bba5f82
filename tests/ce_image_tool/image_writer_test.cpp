// The CE image the tool writes, read back as the device's loader reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "ce_image_tool/image_writer.h"
#include "ce_image_tool/link_tables.h"
#include "package_tool/byte_writer.h"
#include "platform/ce_image.h"
#include "tests/ce_image_tool/elf_builder.h"
#include "tests/ce_image_tool/expect_error.h"
#include "tests/import_check/pe_image.h"

namespace {

using namespace ce_image_tool;
using ce_image_tool_test::BuildElf;
using ce_image_tool_test::ExpectError;
using ce_image_tool_test::TestElf;
using import_check::PeImage;
namespace pe = platform::ce_image;

const OrdinalTable kTable{{"LocalAlloc", 33}, {"LocalFree", 36}, {"Sleep", 496}};

// A module as the CE linker script lays it out at base: code calling a
// thunk and holding an absolute address, read-only data, and the data
// section with two import slots, their end and a pointer into the code.
TestElf Module(uint32_t base) {
  TestElf elf;
  elf.entry = base + 0x1004;
  elf.sections = {{".text", kAllocated | kExecutable, base + 0x1000, std::vector<uint8_t>(16, 0xE1)},
                  {".rdata", kAllocated, base + 0x2000, {'h', 'i', 0, 0}},
                  {".data", kAllocated | kWritable, base + 0x3000, std::vector<uint8_t>(16)},
                  {".bss", kAllocated | kWritable, base + 0x4000, std::vector<uint8_t>(8), kNoBits}};
  elf.symbols = {{"__imp_Sleep", base + 0x3000, 3},   {"__imp_LocalFree", base + 0x3004, 3},
                 {"Sleep", base + 0x1008, 1},         {"ExitKioskMode", base + 0x1000, 1},
                 {"CheckLogin", base + 0x1004, 1}};
  elf.relocations = {{1, base + 0x1000, kArmCall, 3}, {1, base + 0x100C, kArmAbs32, 0},
                     {3, base + 0x300C, kArmAbs32, 0}};
  return elf;
}

ExportList Exports(std::vector<std::string> names = {"CheckLogin", "ExitKioskMode"}) {
  return {"bcmgr.dll", std::move(names)};
}

std::vector<uint8_t> Write(const TestElf& module, std::optional<ExportList> exports = Exports(),
                           const OrdinalTable& table = kTable) {
  const ElfFile elf = ReadElfFile(BuildElf(module));
  return WriteCeImage({elf, table, std::move(exports)});
}

PeImage Read(const std::vector<uint8_t>& file) {
  const std::optional<PeImage> image = import_check::ReadPeImage(file);
  EXPECT_TRUE(image.has_value());
  return image.value_or(PeImage{});
}

uint32_t WordAt(const std::vector<uint8_t>& file, const PeImage& image, uint32_t rva) {
  for (const import_check::Section& s : image.sections) {
    if (rva >= s.address && rva - s.address + 4 <= s.fileSize) {
      const size_t at = s.fileOffset + (rva - s.address);
      return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | static_cast<uint32_t>(file[at + 3]) << 24;
    }
  }
  ADD_FAILURE() << "no section holds " << rva;
  return 0;
}

TEST(ImageWriter, LibraryHeaderHasWhatTheCeLoaderChecks) {
  const std::vector<uint8_t> file = Write(Module(pe::kDllBase));
  const PeImage image = Read(file);
  EXPECT_EQ(image.machine, pe::kMachineArm);
  EXPECT_EQ(image.subsystem, pe::kSubsystemWindowsCeGui);
  EXPECT_EQ(image.subsystemMajor, 4);
  EXPECT_EQ(image.subsystemMinor, 20);
  EXPECT_EQ(image.imageBase, 0x10000000u);
  EXPECT_EQ(image.sectionAlignment, 0x1000u);
  EXPECT_EQ(image.fileAlignment, 0x200u);
  EXPECT_EQ(image.entry, 0x1004u);
  EXPECT_TRUE(image.characteristics & pe::kDllImage);
  EXPECT_FALSE(image.characteristics & pe::kRelocationsStripped);
  EXPECT_EQ(file.size() % pe::kFileAlignment, 0u);
  // The ELF's sections, then the tables and the relocations on pages of their own.
  ASSERT_EQ(image.sections.size(), 6u);
  EXPECT_EQ(image.sections[3].address, 0x4000u);
  EXPECT_EQ(image.sections[3].virtualSize, 8u);
  EXPECT_EQ(image.sections[3].fileSize, 0u);
  EXPECT_EQ(image.sections[5].address, 0x6000u);
  EXPECT_EQ(image.imageSize, 0x7000u);
}

TEST(ImageWriter, ProgramHasTheProgramBaseAndNoLibraryFlag) {
  const PeImage image = Read(Write(Module(pe::kExeBase), std::nullopt));
  EXPECT_EQ(image.imageBase, 0x10000u);
  EXPECT_EQ(image.entry, 0x1004u);
  EXPECT_FALSE(image.characteristics & pe::kDllImage);
  EXPECT_FALSE(image.characteristics & pe::kRelocationsStripped);
  EXPECT_TRUE(image.exports.empty());
  EXPECT_EQ(image.imports.size(), 2u);
}

TEST(ImageWriter, ImportsByOrdinalFromTheCoreLibraryInSlotOrder) {
  const std::vector<uint8_t> file = Write(Module(pe::kDllBase));
  const PeImage image = Read(file);
  EXPECT_TRUE(image.lookupTables);
  EXPECT_EQ(image.imports, (std::vector<import_check::Import>{{"coredll.dll", "#496", 0x3000},
                                                               {"coredll.dll", "#36", 0x3004}}));
  // Before binding, each slot holds its lookup entry, as Microsoft's linker leaves it.
  EXPECT_EQ(WordAt(file, image, 0x3000), pe::kImportByOrdinal | 496);
  EXPECT_EQ(WordAt(file, image, 0x3004), pe::kImportByOrdinal | 36);
}

TEST(ImageWriter, ExportsByPlainNameSortedForTheLoadersSearch) {
  const PeImage image = Read(Write(Module(pe::kDllBase), Exports({"ExitKioskMode", "CheckLogin"})));
  EXPECT_EQ(image.exports, (std::vector<import_check::Export>{{"CheckLogin", 0x1004}, {"ExitKioskMode", 0x1000}}));
}

TEST(ImageWriter, BaseRelocationsForEveryAbsoluteAddressAndNothingElse) {
  const PeImage image = Read(Write(Module(pe::kDllBase)));
  // One entry in each of two pages: each block padded to a 32-bit boundary.
  EXPECT_EQ(image.relocations, (std::vector<uint32_t>{0x100C, 0x300C}));
  EXPECT_EQ(image.otherRelocations, 0u);
}

// A base relocation block as the loader reads it.
struct Block {
  uint32_t page, size;
  std::vector<uint16_t> entries;
};

std::vector<uint8_t> Encode(const std::vector<Block>& blocks) {
  package_tool::ByteWriter out;
  for (const Block& b : blocks) {
    out.U32(b.page);
    out.U32(b.size);
    for (uint16_t entry : b.entries) out.U16(entry);
  }
  return out.Take();
}

TEST(BaseRelocations, OneBlockPerPageEachPaddedToAWholeWord) {
  const struct {
    std::vector<uint32_t> places;
    std::vector<Block> blocks;
  } cases[] = {
      {{}, {}},
      {{0x1000}, {{0x1000, 12, {0x3000, 0}}}},                            // odd: padded
      {{0x1000, 0x1FFC}, {{0x1000, 12, {0x3000, 0x3FFC}}}},               // even: both ends of a page
      {{0x2000, 0x2004, 0x2008}, {{0x2000, 16, {0x3000, 0x3004, 0x3008, 0}}}},
      {{0x1FFC, 0x2000, 0x1000}, {{0x1000, 12, {0x3000, 0x3FFC}}, {0x2000, 12, {0x3000, 0}}}},
      {{0x1004, 0x5008, 0x1004}, {{0x1000, 12, {0x3004, 0}}, {0x5000, 12, {0x3008, 0}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.places));
    EXPECT_EQ(BuildBaseRelocations(c.places), Encode(c.blocks));
  }
}

TEST(ImageWriter, SectionsMayTouchButNotOverlapByOneByte) {
  const struct {
    size_t section;  // of Module's, grown to size
    uint32_t size;
    std::string message;  // empty: written
  } cases[] = {
      {1, 0x1000, ""},
      {1, 0x1001, "sections .rdata and .data overlap"},
      {2, 0x1000, ""},
      {2, 0x1001, "sections .data and .bss overlap"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    TestElf module = Module(pe::kDllBase);
    module.sections[c.section].bytes.resize(c.size);
    if (c.message.empty()) {
      EXPECT_EQ(Read(Write(module)).sections[c.section].virtualSize, c.size);
    } else {
      ExpectError([&] { Write(module); }, c.message);
    }
  }
}

TEST(ImageWriter, ExportNamesGivenInAnyOrderArePointedToInByteOrder) {
  const std::map<std::string, uint32_t> at = {{"B", 0x1000}, {"Ba", 0x1004}, {"a", 0x1008}, {"b", 0x100C}};
  const std::vector<import_check::Export> sorted = {{"B", 0x1000}, {"Ba", 0x1004}, {"a", 0x1008}, {"b", 0x100C}};
  for (const std::vector<std::string>& given :
       {std::vector<std::string>{"b", "a", "Ba", "B"}, {"Ba", "B", "b", "a"}, {"a", "b", "B", "Ba"}}) {
    TestElf module = Module(pe::kDllBase);
    for (const auto& [name, rva] : at) module.symbols.push_back({name, pe::kDllBase + rva, 1});
    EXPECT_EQ(Read(Write(module, Exports(given))).exports, sorted) << ::testing::PrintToString(given);
  }
}

TEST(ImageWriter, RelativeRelocationsNeedNoBaseRelocation) {
  for (uint32_t type : {kArmNone, kArmPc24, kArmRel32, kArmCall, kArmJump24, kArmV4Bx}) {
    TestElf module = Module(pe::kDllBase);
    module.relocations = {{1, pe::kDllBase + 0x1004, type, 0}};
    EXPECT_TRUE(Read(Write(module)).relocations.empty()) << "type " << type;
  }
}

TEST(ImageWriter, RefusesCallsOutsideTheTableNamingEach) {
  TestElf module = Module(pe::kDllBase);
  module.symbols.push_back({"SetEvent", 0, 0});
  module.symbols.push_back({"GetTickCount", 0, 0});
  module.relocations.push_back({1, pe::kDllBase + 0x1004, kArmCall, 6});
  module.relocations.push_back({1, pe::kDllBase + 0x1008, kArmCall, 7});
  module.relocations.push_back({1, pe::kDllBase + 0x100C, kArmCall, 6});
  ExpectError([&] { Write(module); }, "calls GetTickCount, SetEvent, not on the reviewed coredll table");
}

TEST(ImageWriter, RefusesASlotOfAFunctionOutsideTheTable) {
  OrdinalTable withoutSleep = kTable;
  withoutSleep.erase("Sleep");
  ExpectError([&] { Write(Module(pe::kDllBase), Exports(), withoutSleep); },
              "import slot for Sleep, which is not on the reviewed coredll table");
}

TEST(ImageWriter, RefusesSlotsThatAreNotOneTable) {
  TestElf module = Module(pe::kDllBase);
  module.symbols[1].value += 4;
  ExpectError([&] { Write(module); }, "the import slots are not one table");
}

TEST(ImageWriter, RefusesARelocationTypeItDoesNotKnow) {
  TestElf module = Module(pe::kDllBase);
  module.relocations.push_back({1, pe::kDllBase + 0x1004, 43, 0});  // R_ARM_MOVW_ABS_NC: ARMv6T2 on
  ExpectError([&] { Write(module); }, "unsupported relocation type 43 at 0x10001004");
}

TEST(ImageWriter, RefusesSectionsOffTheirPages) {
  TestElf offPage = Module(pe::kDllBase);
  offPage.sections[1].address += 0x10;
  ExpectError([&] { Write(offPage); }, "section .rdata at 0x10002010 is not on a page above the base 0x10000000");
  TestElf onHeaders = Module(pe::kDllBase);
  onHeaders.sections[1].address = pe::kDllBase;
  ExpectError([&] { Write(onHeaders); }, "section .rdata at 0x10000000 is not on a page above the base");
  TestElf overlapping = Module(pe::kDllBase);
  overlapping.sections[1].address = pe::kDllBase + 0x3000;
  ExpectError([&] { Write(overlapping); }, "sections .rdata and .data overlap");
  TestElf libraryAtProgramBase = Module(pe::kExeBase);
  ExpectError([&] { Write(libraryAtProgramBase); }, "lies below the base");
}

TEST(ImageWriter, RefusesAnExportTheElfFileLacks) {
  ExpectError([] { Write(Module(pe::kDllBase), Exports({"CheckLogin", "Missing"})); },
              "exports Missing, which the ELF file does not define");
}

TEST(ImageWriter, RefusesAnElfFileWithNothingToLoad) {
  TestElf empty = Module(pe::kDllBase);
  empty.sections = {{".comment", 0, 0, {'x', 0}}};
  empty.symbols.clear();
  empty.relocations.clear();
  ExpectError([&] { Write(empty); }, "the ELF file has nothing to load");
}

}  // namespace
