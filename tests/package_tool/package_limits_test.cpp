// The package tool at its limits: how many files a cabinet can number,
// which device section and which strings win, which signatures and registry
// bytes are taken, the largest 16-bit field and the edges of device paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "package_tool/byte_writer.h"
#include "package_tool/cabinet_layout.h"
#include "package_tool/device_path.h"
#include "package_tool/install_model_builder.h"
#include "tests/package_tool/package_test_support.h"

namespace package_tool {
namespace {

using package_tool_test::EditedSample;

// The sample installing count files in all: its two of [Files.App] and
// "f<n>.txt" for the rest, all present.
InstallModel BuildWithFiles(int count) {
  std::string sources, files;
  for (int n = 1; n <= count - 2; ++n) {
    sources += "f" + std::to_string(n) + ".txt = 2\n";
    files += "f" + std::to_string(n) + ".txt\n";
  }
  const std::string text =
      std::string(package_tool_test::kSampleInf) + "\n[SourceDisksFiles]\n" + sources + "[Files.Many]\n" + files;
  std::string edited = text;
  edited.replace(edited.find("Files.App, Files.Windows"), 24, "Files.App, Files.Many");
  return BuildInstallModel(InfFile::Parse(edited, "s.inf"), "PPC_ARM", [](const std::string&) { return true; });
}

TEST(InstallModelLimits, NineHundredNinetyEightFilesLeaveTheLastNumberToTheSetupDll) {
  const InstallModel model = BuildWithFiles(998);
  ASSERT_EQ(model.files.size(), 998u);
  std::set<std::string> names;
  for (const CabinetMember& member : LayOutCabinet(model)) names.insert(member.cabName.substr(9));
  EXPECT_EQ(names.size(), 1000u) << "two members share a number";
  EXPECT_TRUE(names.contains("999"));
  EXPECT_TRUE(names.contains("998"));
}

TEST(InstallModelLimits, TheNineHundredNinetyNinthFileIsRefused) {
  EXPECT_NE(package_tool_test::MessageOf([] { BuildWithFiles(999); }).find("error: more than 998 files"), std::string::npos);
  EXPECT_EQ(package_tool_test::MessageOf([] { BuildWithFiles(998); }), "(no error)");
}

TEST(InstallModelPrecedence, TheTargetsDeviceSectionOverridesTheCommonOne) {
  const EditedSample sample(
      {{"[CEDevice.PPC_ARM]\nProcessorType = 2577\n",
        "[CEDevice.PPC_ARM]\nProcessorType = 2577\nVersionMin = 5.1\nUnsupportedPlatforms = \"Mobile\"\n"
        "[CEDevice.SP_ARM]\nProcessorType = 0\n"}});
  const InstallModel own = sample.Build("PPC_ARM");
  EXPECT_EQ(own.device.versionMinMajor, 5u);
  EXPECT_EQ(own.device.versionMinMinor, 1u);
  EXPECT_EQ(own.device.unsupportedPlatforms, std::vector<std::string>{"Mobile"});
  EXPECT_EQ(own.device.buildMax, 0xE0000000u);  // not overridden: from [CEDevice]
  const InstallModel other = sample.Build("SP_ARM");
  EXPECT_EQ(other.device.versionMinMajor, 4u);
  EXPECT_EQ(other.device.versionMinMinor, 20u);
  EXPECT_EQ(other.device.unsupportedPlatforms, (std::vector<std::string>{"HPC", "Jupiter"}));
}

TEST(InstallModelPrecedence, CeStringsWinOverStrings) {
  const InstallModel model =
      EditedSample({{"KeyPath = Software\\Sample\n", "KeyPath = Software\\Sample\nAppName = Other\n"}}).Build();
  EXPECT_EQ(model.installDir, "%CE1%\\Sample");
  const std::vector<uint8_t>& title = model.registry.at(0).data;
  EXPECT_EQ(std::string(title.begin(), title.end()), std::string("Hello, Sample\0", 14));
}

TEST(InstallModelSignatures, Windows95AndNtAreTakenAndNothingElse) {
  EXPECT_EQ(EditedSample({{"$Windows NT$", "$Windows 95$"}}).Build().appName, "Sample");
  EXPECT_EQ(EditedSample({{"$Windows NT$", "$WINDOWS 95$"}}).Build().appName, "Sample");
  EditedSample({{"$Windows NT$", "$Windows 98$"}})
      .ExpectError("Signature = \"$Windows 98$\"", "Signature must be \"$Windows NT$\" or \"$Windows 95$\"");
}

TEST(InstallModelRegistry, ABinaryByteTakesAtMostTwoHexadecimalDigits) {
  EXPECT_EQ(EditedSample({{"0a, FF", "a, 0F"}}).Build().registry.at(4).data, (std::vector<uint8_t>{0x0A, 0x0F}));
  EditedSample({{"0a, FF", "0a, 0FF"}}).ExpectError("0a, 0FF", "bad registry line: \"0FF\" is not a hexadecimal byte");
  EditedSample({{"0a, FF", "100"}})
      .ExpectError("Blob, 0x00000001, 100", "bad registry line: \"100\" is not a hexadecimal byte");
}

TEST(SixteenBitFields, HoldExactly0xFFFF) {
  ByteWriter writer;
  writer.U16(0xFFFF);
  EXPECT_THROW(writer.PatchU16(0, 0x10000), std::length_error);
  EXPECT_EQ(writer.Take(), (std::vector<uint8_t>{0xFF, 0xFF}));
  EXPECT_THROW(ByteWriter().U16(0x10000), std::length_error);
}

TEST(DevicePaths, SplitKeepsTheLeadingBackslashAndDropsEmptyParts) {
  EXPECT_EQ(SplitDevicePath("\\Windows"), std::vector<std::string>{"\\Windows"});
  EXPECT_EQ(SplitDevicePath("\\Windows\\\\Start Menu\\"), (std::vector<std::string>{"\\Windows", "Start Menu"}));
  EXPECT_EQ(SplitDevicePath("%CE1%\\\\Brindlecove"), (std::vector<std::string>{"%CE1%", "Brindlecove"}));
  EXPECT_EQ(SplitDevicePath("\\\\Windows"), std::vector<std::string>{"\\Windows"});
  EXPECT_TRUE(SplitDevicePath("\\").empty());
  EXPECT_TRUE(SplitDevicePath("").empty());
}

// The install folder counts before a %CEn% at its start, and from its whole
// length on: a folder equal to it lies in it, a longer one that only begins
// with its text does not.
TEST(DevicePaths, ShortcutFoldersAreCountedFromTheInstallFolderFirst) {
  struct Case {
    const char* folder;
    unsigned base;
    std::vector<std::string> rest;
  };
  const Case cases[] = {
      {"%CE1%\\Sample", 0, {}},
      {"%ce1%\\SAMPLE\\Sub\\", 0, {"Sub"}},
      {"%CE1%\\Samples", 1, {"Samples"}},
      {"%CE1%", 1, {}},
      {"%CE17%\\x", 17, {"x"}},
  };
  for (const auto& [folder, base, rest] : cases) {
    const std::optional<ShortcutFolder> located = LocateShortcutFolder(folder, "%CE1%\\Sample");
    ASSERT_TRUE(located.has_value()) << folder;
    EXPECT_EQ(located->base, base) << folder;
    EXPECT_EQ(located->rest, rest) << folder;
  }
  for (const char* folder : {"\\Temp", "%CE18%\\x", "%CE0%", "%%\\x", "Sample"}) {
    EXPECT_FALSE(LocateShortcutFolder(folder, "%CE1%\\Sample").has_value()) << folder;
  }
}

}  // namespace
}  // namespace package_tool
