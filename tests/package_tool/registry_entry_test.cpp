// Registry lines: each root name in each of its spellings, and which values
// the device expands.
#include <gtest/gtest.h>

#include <string>

#include "package_tool/setup_file_writer.h"
#include "standins/ce_installer/setup_reader/setup_file_reader.h"
#include "tests/package_tool/package_test_support.h"

namespace package_tool {
namespace {

using package_tool_test::EditedSample;

constexpr const char* kTitleLine = "HKLM, %KeyPath%, Title, 0x00000000, \"Hello, %AppName%\"";

// The key of the sample's first value, as the installer reads it back, when
// its line begins with root.
std::string KeyWithRoot(const std::string& root) {
  const std::string line = root + ", %KeyPath%, Title, 0x00000000, \"Hello, %AppName%\"";
  const InstallModel model = EditedSample({{kTitleLine, line}}).Build();
  return standins::ce_installer::ReadSetupFile(WriteSetupFile(model, "s.inf")).values.at(0).key;
}

TEST(RegistryEntry, RootsGoByTheirShortOrLongNameInAnyCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"HKCR", "HKCR"}, {"hkey_classes_root", "HKCR"}, {"HKEY_CLASSES_ROOT", "HKCR"},
      {"hkcu", "HKCU"}, {"HKEY_CURRENT_USER", "HKCU"}, {"Hkey_Current_User", "HKCU"},
      {"HkLm", "HKLM"}, {"HKEY_LOCAL_MACHINE", "HKLM"}, {"hkey_local_machine", "HKLM"},
      {"HKU", "HKU"},   {"HKEY_USERS", "HKU"},         {"hkey_users", "HKU"},
  };
  for (const auto& [root, shortName] : cases) {
    EXPECT_EQ(KeyWithRoot(root), shortName + std::string("\\Software\\Sample")) << root;
  }
}

TEST(RegistryEntry, NamesNearARootAreRefused) {
  for (const char* root : {"HKEY_LOCAL_MACHIN", "HKEY_LOCAL_MACHINES", "HKLM_", "HKEY_USER", "HKEY", "HK"}) {
    const std::string line = std::string(root) + ", Key, Title, 0, x";
    EditedSample({{kTitleLine, line}})
        .ExpectError(line, "bad registry line: unknown root \"" + std::string(root) + "\"");
  }
}

TEST(RegistryEntry, OnlyTextValuesNamingADeviceFolderAreExpandedOnTheDevice) {
  const std::pair<const char*, bool> cases[] = {
      {"HKLM, K, N, 0x00000000, \"%CE1%\\x\"", true},
      {"HKLM, K, N, 0x00010000, \"a\", \"%CE17%\"", true},
      {"HKLM, K, N, 0x00000000, \"%%CE18%%\"", false},
      {"HKLM, K, N, 0x00000000, \"50% %CE2\"", false},
      {"HKLM, K, N, 0x00000001, 25, 43, 45, 31, 25", false},  // the bytes of "%CE1%"
      {"HKLM, K, N, 0x00010001, 0X25", false},
  };
  for (const auto& [line, expands] : cases) {
    const InstallModel model = EditedSample({{kTitleLine, line}}).Build();
    EXPECT_EQ(model.registry.at(0).expandOnDevice, expands) << line;
  }
}

TEST(RegistryEntry, NumbersTakeAnUpperCaseHexadecimalPrefix) {
  const InstallModel model = EditedSample({{kTitleLine, "HKLM, K, N, 0X00010001, 0X2a"}}).Build();
  EXPECT_EQ(model.registry.at(0).flags, kRegTypeDword);
  EXPECT_EQ(model.registry.at(0).data, (std::vector<uint8_t>{0x2A, 0, 0, 0}));
}

}  // namespace
}  // namespace package_tool
