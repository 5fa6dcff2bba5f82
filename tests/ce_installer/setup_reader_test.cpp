// The reader on damaged setup files: a clear refusal, never a crash.
#include <gtest/gtest.h>

#include <stdexcept>

#include "package_tool/setup_file_writer.h"
#include "platform/ce_setup_file.h"
#include "standins/ce_installer/setup_reader/setup_file_reader.h"
#include "tests/package_tool/package_test_support.h"

namespace {

namespace format = platform::ce_setup_file;
using standins::ce_installer::ReadSetupFile;
using standins::ce_installer::SetupFileView;

std::vector<uint8_t> SampleSetupFile() {
  package_tool::InstallModel model;
  model.appName = "Brindlecove";
  model.installDir = "%CE1%\\Brindlecove";
  model.files = {{"e.exe", "%CE1%\\Brindlecove", "Brindlecove.exe", 0}, {"m.dll", "%CE2%", "bcmgr.dll", 0}};
  model.registry = {{package_tool::RegistryRoot::LocalMachine, "Software\\B", "N", 0, {'t', 0}, false}};
  model.shortcuts = {{"%CE11%", "Brindlecove", true, "Brindlecove.exe"}};
  return package_tool::WriteSetupFile(model, "t.inf");
}

TEST(SetupReader, EveryTruncationIsRefused) {
  const std::vector<uint8_t> whole = SampleSetupFile();
  ASSERT_NO_THROW(ReadSetupFile(whole));
  for (size_t size = 0; size < whole.size(); ++size) {
    EXPECT_THROW(ReadSetupFile({whole.begin(), whole.begin() + static_cast<long>(size)}),
                 std::runtime_error)
        << size;
  }
}

// A damaged file is refused with a message, or read into items that still
// have their shape: keys under a root, files in a folder, shortcuts below a
// base folder.
TEST(SetupReader, DamagedBytesAreReadOrRefusedButNeverCrash) {
  const std::vector<uint8_t> whole = SampleSetupFile();
  for (size_t at = 0; at < whole.size(); ++at) {
    for (uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}, static_cast<uint8_t>(whole[at] + 1)}) {
      std::vector<uint8_t> damaged = whole;
      damaged[at] = value;
      SetupFileView view;
      try {
        view = ReadSetupFile(damaged);
      } catch (const std::runtime_error& error) {
        EXPECT_STRNE(error.what(), "") << at;
        continue;
      }
      for (const auto& read : view.values) EXPECT_GT(read.key.find('\\'), 0u) << at << " " << read.key;
      for (const auto& file : view.files) EXPECT_FALSE(file.directory.empty()) << at;
      for (const auto& link : view.links) EXPECT_TRUE(link.location.starts_with('%')) << at;
    }
  }
}

// The offset of a section's first entry, from the header.
size_t SectionAt(const std::vector<uint8_t>& bytes, format::Section section) {
  const size_t at = format::kOffsetsAt + 4 * section;
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<size_t>(bytes[at + 3]) << 24;
}

std::string RefusalOf(const std::vector<uint8_t>& bytes) {
  return package_tool_test::MessageOf<std::runtime_error>([&] { ReadSetupFile(bytes); });
}

TEST(SetupReader, RegistryRootsBeyondEitherEndAreRefused) {
  for (uint8_t root : {uint8_t{0}, uint8_t{5}}) {
    std::vector<uint8_t> bytes = SampleSetupFile();
    bytes[SectionAt(bytes, format::RegHives) + 2] = root;  // behind the hive's id
    EXPECT_EQ(RefusalOf(bytes), "unknown registry root") << int{root};
  }
}

TEST(SetupReader, APartListMustEndInZero) {
  std::vector<uint8_t> bytes = SampleSetupFile();
  const size_t dir = SectionAt(bytes, format::Dirs);
  const size_t length = bytes[dir + 2] | bytes[dir + 3] << 8;
  bytes[dir + 4 + length - 2] = 1;  // the first folder's closing id
  EXPECT_EQ(RefusalOf(bytes), "string id list not ended by 0");
}

TEST(SetupReader, TheLengthFieldMustBeTheFilesLength) {
  std::vector<uint8_t> longer = SampleSetupFile();
  longer.push_back(0);
  EXPECT_EQ(RefusalOf(longer), "length field differs from the file");
}

TEST(SetupReader, ADwordValueHasExactlyFourBytes) {
  for (size_t size : {3u, 5u}) {
    const SetupFileView::Value value{"HKLM\\K", "N", 0x00010001, false, std::vector<uint8_t>(size, 1)};
    EXPECT_THROW(value.Dword(), std::runtime_error) << size;
  }
  const SetupFileView::Value four{"HKLM\\K", "N", 0x00010001, false, {1, 2, 3, 0x80}};
  EXPECT_EQ(four.Dword(), 0x80030201u);
}

TEST(SetupReader, AMultiStringEndsAtItsFirstEmptyString) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {std::string("a\0b\0\0", 5), {"a", "b"}},
      {std::string("a\0\0b\0\0", 6), {"a"}},
      {std::string("\0a\0\0", 4), {}},
      {std::string("a\0b", 3), {"a"}},
  };
  for (const auto& [data, texts] : cases) {
    const SetupFileView::Value value{"HKLM\\K", "N", 0x00010000, false, {data.begin(), data.end()}};
    EXPECT_EQ(value.Texts(), texts) << data.size();
  }
}

TEST(SetupReader, ABadSignatureIsNamed) {
  std::vector<uint8_t> bytes = SampleSetupFile();
  bytes[0] = 'X';
  EXPECT_EQ(RefusalOf(bytes), "no MSCE signature");
}

}  // namespace
