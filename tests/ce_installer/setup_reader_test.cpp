// The reader on damaged setup files: a clear refusal, never a crash.
#include <gtest/gtest.h>

#include <stdexcept>

#include "package_tool/setup_file_writer.h"
#include "standins/ce_installer/setup_reader/setup_file_reader.h"

namespace {

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
  ASSERT_NO_THROW(standins::ce_installer::ReadSetupFile(whole));
  for (size_t size = 0; size < whole.size(); ++size) {
    EXPECT_THROW(standins::ce_installer::ReadSetupFile({whole.begin(), whole.begin() + static_cast<long>(size)}),
                 std::runtime_error)
        << size;
  }
}

TEST(SetupReader, DamagedBytesAreReadOrRefusedButNeverCrash) {
  const std::vector<uint8_t> whole = SampleSetupFile();
  for (size_t at = 0; at < whole.size(); ++at) {
    for (uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}, static_cast<uint8_t>(whole[at] + 1)}) {
      std::vector<uint8_t> damaged = whole;
      damaged[at] = value;
      try {
        standins::ce_installer::ReadSetupFile(damaged);
      } catch (const std::runtime_error&) {
      }
    }
  }
}

TEST(SetupReader, ABadSignatureIsNamed) {
  std::vector<uint8_t> bytes = SampleSetupFile();
  bytes[0] = 'X';
  try {
    standins::ce_installer::ReadSetupFile(bytes);
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "no MSCE signature");
  }
}

}  // namespace
