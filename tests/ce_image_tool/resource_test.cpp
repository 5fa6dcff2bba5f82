// Resources from a compiled resource file into a CE image's .rsrc section,
// the file as windres writes it and the section looked up as a loader does.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "ce_image_tool/image_writer.h"
#include "ce_image_tool/resource_section.h"
#include "platform/ce_image.h"
#include "platform/win32_resources.h"
#include "tests/ce_image_tool/elf_builder.h"
#include "tests/ce_image_tool/expect_error.h"
#include "tests/ce_image_tool/resource_bytes.h"
#include "tests/import_check/pe_image.h"

namespace {

using namespace ce_image_tool;
using namespace ce_image_tool_test;
namespace pe = platform::ce_image;
namespace res = platform::win32_resources;

constexpr uint16_t kRcData = 10, kEnglish = 0x409, kGerman = 0x407;
constexpr uint32_t kSectionRva = 0x5000;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}

uint16_t U16(const std::vector<uint8_t>& bytes, size_t at) { return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8); }

std::vector<Resource> Fixture() { return ReadResourceFile(import_check::ReadFileBytes(BC_RESOURCE_FIXTURE)); }

// An entry's key as the section spells it.
ResourceKey KeyAt(const std::vector<uint8_t>& section, size_t entry) {
  const uint32_t word = U32(section, entry);
  if (!(word & res::kNameIsString)) return {static_cast<uint16_t>(word), {}};
  const size_t at = word & ~res::kNameIsString;
  std::u16string name;
  for (uint16_t i = 0; i < U16(section, at); ++i) name += static_cast<char16_t>(U16(section, at + 2 + 2 * i));
  return {0, name};
}

// Looks up type, name and language level by level as a loader does, and
// checks on the way that each directory's entries come in the order a
// loader's search expects: texts first, then numbers, each ascending.
std::optional<std::vector<uint8_t>> Lookup(const std::vector<uint8_t>& section, const std::vector<ResourceKey>& path) {
  size_t directory = 0;
  for (size_t level = 0; level < path.size(); ++level) {
    const size_t count = U16(section, directory + res::kNamedCountAt) + U16(section, directory + res::kIdCountAt);
    std::optional<uint32_t> found;
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = directory + res::kDirectorySize + res::kEntrySize * i;
      if (i > 0) {
        EXPECT_TRUE(KeyAt(section, entry - res::kEntrySize) < KeyAt(section, entry)) << "entry " << i;
      }
      EXPECT_EQ(i < U16(section, directory + res::kNamedCountAt), !KeyAt(section, entry).name.empty());
      if (KeyAt(section, entry) == path[level]) found = U32(section, entry + 4);
    }
    if (!found) return std::nullopt;
    const bool last = level + 1 == path.size();
    EXPECT_EQ((*found & res::kOffsetIsDirectory) == 0, last);
    directory = *found & ~res::kOffsetIsDirectory;
  }
  const uint32_t dataAt = U32(section, directory) - kSectionRva, size = U32(section, directory + 4);
  EXPECT_EQ(dataAt % res::kDataAlignment, 0u);
  return std::vector<uint8_t>(section.begin() + dataAt, section.begin() + dataAt + size);
}

TEST(ResourceFile, ReadsWhatTheResourceCompilerWrote) {
  const std::vector<Resource> resources = Fixture();
  ASSERT_EQ(resources.size(), 4u);
  const struct {
    ResourceKey type, name;
    uint16_t language;
    std::string data;
  } expected[] = {{{kRcData, {}}, {7, {}}, kEnglish, "seven"},
                  {{kRcData, {}}, {0, u"CONFIG"}, kEnglish, "named"},
                  {{kRcData, {}}, {7, {}}, kGerman, std::string("sieben\0", 7)},
                  {{0, u"LOGO"}, {1, {}}, kEnglish, "l"}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.data);
    const auto found = std::find_if(resources.begin(), resources.end(), [&](const Resource& r) {
      return r.type == e.type && r.name == e.name && r.language == e.language;
    });
    ASSERT_NE(found, resources.end());
    EXPECT_EQ(found->data, Bytes(e.data));
  }
}

TEST(ResourceFile, RefusesWhatIsNoResourceFile) {
  for (const std::vector<uint8_t>& bytes :
       {std::vector<uint8_t>{}, ResRecord(IdField(kRcData), IdField(1), kEnglish, {1}),
        ResRecord(IdField(0), IdField(0), 0, {1}), ResRecord(IdField(0), NameField(u"A"), 0, {})}) {
    ExpectError([&] { ReadResourceFile(bytes); }, "not a resource file: it does not start with the empty record");
  }
}

TEST(ResourceFile, RefusesABrokenRecordNamingItsOffset) {
  const std::vector<uint8_t> good = ResRecord(IdField(kRcData), IdField(1), kEnglish, {1, 2, 3});
  std::vector<uint8_t> cutSizes = ResFile({});
  cutSizes.insert(cutSizes.end(), {4, 0, 0, 0});
  std::vector<uint8_t> dataPastEnd = ResFile({good});
  dataPastEnd.resize(dataPastEnd.size() - 2);
  const struct {
    std::vector<uint8_t> bytes;
    std::string message;
  } cases[] = {
      {cutSizes, "the record at offset 32: reaches past the end of the file"},
      {dataPastEnd, "the record at offset 32: reaches past the end of the file"},
      {ResFile({ResRecord(NameField(u"LONGTYPE"), IdField(1), 0, {}, 8 + 6)}),
       "the record at offset 32: its type is not ended within its header"},
      {ResFile({ResRecord(IdField(kRcData), NameField(u"LONGNAME"), 0, {}, 8 + 4 + 6)}),
       "the record at offset 32: its name is not ended within its header"},
      {ResFile({ResRecord(IdField(kRcData), IdField(1), 0, {}, 8 + 8 + 15)}),
       "the record at offset 32: its header is too small for its fields"},
      {ResFile({good, good}), "the record at offset 68: resource type 10 name 1 language 1033 is listed twice"},
      {ResFile({ResRecord(NameField(u"T"), NameField(u"N"), 7, {}), ResRecord(NameField(u"T"), NameField(u"N"), 7, {})}),
       "resource type \"T\" name \"N\" language 7 is listed twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ExpectError([&] { ReadResourceFile(c.bytes); }, c.message);
  }
}

TEST(ResourceFile, TheSameKeysInAnotherLanguageOrUnderAnotherTypeAreNoRepeat) {
  const auto record = [](uint16_t type, uint16_t language) { return ResRecord(IdField(type), IdField(1), language, {}); };
  EXPECT_EQ(ReadResourceFile(ResFile({record(kRcData, kEnglish), record(kRcData, kGerman), record(16, kEnglish)})).size(),
            3u);
}

// Data of every length up to two alignments: each record of the file starts
// on its 4-byte boundary, each resource's data in the section on its 8-byte one.
TEST(ResourceFile, DataOfEachAlignmentReadsBackAndLandsAligned) {
  std::vector<std::vector<uint8_t>> records;
  std::vector<Resource> written;
  for (uint16_t size = 0; size <= 2 * res::kDataAlignment; ++size) {
    const std::vector<uint8_t> data(size, static_cast<uint8_t>(0xA0 + size));
    records.push_back(ResRecord(IdField(kRcData), IdField(size + 1), kEnglish, data));
    written.push_back({{kRcData, {}}, {static_cast<uint16_t>(size + 1), {}}, kEnglish, data});
  }
  const std::vector<Resource> read = ReadResourceFile(ResFile(records));
  ASSERT_EQ(read.size(), written.size());
  const ResourceSection section = BuildResourceSection(kSectionRva, read);
  for (size_t i = 0; i < written.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read[i].name, written[i].name);
    EXPECT_EQ(read[i].data, written[i].data);
    EXPECT_EQ(Lookup(section.bytes, {written[i].type, written[i].name, {kEnglish, {}}}), written[i].data);
  }
}

TEST(ResourceSection, EveryResourceIsFoundByTypeNameAndLanguage) {
  const std::vector<Resource> resources = Fixture();
  const ResourceSection section = BuildResourceSection(kSectionRva, resources);
  EXPECT_EQ(section.directory.rva, kSectionRva);
  EXPECT_EQ(section.directory.size, section.bytes.size());
  for (const Resource& r : resources) {
    EXPECT_EQ(Lookup(section.bytes, {r.type, r.name, {r.language, {}}}), r.data);
  }
  EXPECT_EQ(Lookup(section.bytes, {{kRcData, {}}, {7, {}}, {0x40C, {}}}), std::nullopt);
  EXPECT_EQ(Lookup(section.bytes, {{kRcData, {}}, {0, u"CONFIGX"}}), std::nullopt);
}

TEST(ResourceSection, ATypeAndANameOfTheSameTextShareIt) {
  const ResourceSection section =
      BuildResourceSection(kSectionRva, {{{0, u"AB"}, {0, u"AB"}, kEnglish, {1}}, {{0, u"AB"}, {0, u"C"}, kEnglish, {2}}});
  EXPECT_EQ(Lookup(section.bytes, {{0, u"AB"}, {0, u"AB"}, {kEnglish, {}}}), std::vector<uint8_t>{1});
  EXPECT_EQ(Lookup(section.bytes, {{0, u"AB"}, {0, u"C"}, {kEnglish, {}}}), std::vector<uint8_t>{2});
  // Four directories with five entries in all, two data entries, the texts
  // "AB" and "C" once each (146 bytes), then each byte of data at a multiple of 8.
  EXPECT_EQ(section.bytes.size(), 4 * 16 + 5 * 8 + 2 * 16 + (2 + 4) + (2 + 2) + 6 + 1 + 7 + 1u);
}

TEST(ResourceSection, RefusesOneResourceListedTwice) {
  const Resource twice{{kRcData, {}}, {1, {}}, kEnglish, {}};
  ExpectError([&] { BuildResourceSection(kSectionRva, {twice, twice}); }, "a resource is listed twice");
}

// The image's resource directory, read from its optional header.
std::pair<uint32_t, uint32_t> ResourceDirectory(const std::vector<uint8_t>& image) {
  const size_t at = pe::kPeHeaderAt + 4 + pe::kCoffHeaderSize + pe::kDirectoriesAt + 8 * pe::kResourceDirectory;
  return {U32(image, at), U32(image, at + 4)};
}

TEST(ResourceSection, TheImageCarriesItOnItsOwnPageOnlyWithResources) {
  TestElf module;
  module.entry = pe::kExeBase + 0x1000;
  module.sections = {{".text", kAllocated | kExecutable, pe::kExeBase + 0x1000, std::vector<uint8_t>(8, 0xE1)}};
  const ElfFile elf = ReadElfFile(BuildElf(module));
  const OrdinalTable table;
  const std::vector<uint8_t> plain = WriteCeImage({elf, table, std::nullopt});
  EXPECT_EQ(ResourceDirectory(plain), std::make_pair(0u, 0u));
  const std::vector<uint8_t> image = WriteCeImage({elf, table, std::nullopt, Fixture()});
  const auto [rva, size] = ResourceDirectory(image);
  EXPECT_EQ(rva, 0x2000u);
  const std::optional<import_check::PeImage> read = import_check::ReadPeImage(image);
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->sections.size(), 2u);
  const import_check::Section& rsrc = read->sections[1];
  EXPECT_EQ(rsrc.address, rva);
  EXPECT_EQ(rsrc.virtualSize, size);
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + rsrc.fileOffset, image.begin() + rsrc.fileOffset + size),
            BuildResourceSection(rva, Fixture()).bytes);
}

}  // namespace
