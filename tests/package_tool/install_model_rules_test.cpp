// Every refusal of the install model with its message, and the values at the
// ends of what it takes.
#include <gtest/gtest.h>

#include <string>

#include "package_tool/install_model_builder.h"
#include "tests/package_tool/package_test_support.h"

namespace package_tool {
namespace {

using package_tool_test::EditedSample;
using package_tool_test::MessageOf;

struct Refusal {
  const char* from;
  const char* to;
  const char* line;  // a text of the line the message names
  const char* message;
};

TEST(InstallModelRefusals, EachNamesTheLineAtFault) {
  const Refusal refusals[] = {
      // [Version] and [CEStrings]
      {"Provider = \"Maker\"\n", "", "[Version]", "[Version] has no Provider"},
      {"CESignature = \"$Windows CE$\"\n", "", "[Version]", "[Version] has no CESignature"},
      {"Signature = \"$Windows NT$\"\n", "", "[Version]", "[Version] has no Signature"},
      {"AppName = \"Sample\"\n", "", "[CEStrings]", "[CEStrings] has no AppName"},
      {"InstallDir = %CE1%\\%AppName%\n", "", "[CEStrings]", "[CEStrings] has no InstallDir"},
      {"InstallDir = %CE1%\\%AppName%", "InstallDir = \"\"", "InstallDir", "InstallDir is empty"},
      // [CEDevice]
      {"ProcessorType = 2577", "ProcessorType = ARM", "ProcessorType", "ProcessorType is not a number"},
      {"BuildMax = 0xE0000000", "BuildMax = -1", "BuildMax", "BuildMax is not a number"},
      {"BuildMax = 0xE0000000", "BuildMin = 1e3", "BuildMin", "BuildMin is not a number"},
      {"VersionMin = 4.20", "VersionMin = 4.", "VersionMin", "VersionMin must be major.minor"},
      {"VersionMin = 4.20", "VersionMin = .20", "VersionMin", "VersionMin must be major.minor"},
      {"VersionMin = 4.20", "VersionMax = 4.20.1", "VersionMax", "VersionMax must be major.minor"},
      {"BuildMax = 0xE0000000", "Colour = red", "Colour", "unknown device entry \"Colour\""},
      // sources and destinations
      {"2 = ,\"Here\",,.", ",\"Here\",,.", "\"Here\"", "source disk without a number"},
      {"data file.txt = 2", "data file.txt", "data file.txt", "source file without a disk number"},
      {"Files.Windows = 0, %CE2%", "0, %CE2%", "0, %CE2%", "destination without a section name"},
      {"Files.Windows = 0, %CE2%", "Files.Windows = 1, %CE2%", "Files.Windows =", "destination must be \"0, folder\""},
      {"Files.Windows = 0, %CE2%", "Files.Windows = 0", "Files.Windows =", "destination must be \"0, folder\""},
      {"Files.Windows = 0, %CE2%", "Files.Windows = 0, %CE2%, %CE3%", "Files.Windows =",
       "destination must be \"0, folder\""},
      // file lists
      {"[Files.Windows]\nhelper.dll", "[Files.Windows]\nh = helper.dll", "h = helper.dll",
       "bad file line: unexpected '='"},
      {"[Files.Windows]\nhelper.dll", "[Files.Windows]\n, helper.dll", ", helper.dll", "bad file line: no file name"},
      {"[Files.Windows]\nhelper.dll", "[Files.Windows]\nhelper.dll, , , 0x1g", "0x1g",
       "bad file line: flags are not a number"},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.to);
    EditedSample({{refusal.from, refusal.to}}).ExpectError(refusal.line, refusal.message);
  }
}

TEST(InstallModelRefusals, AnAppNameThatCannotNameAFile) {
  const std::string message = "AppName must be a text that can name the cabinet file";
  for (const char* name : {"\"\"", "a\\b", "a/b", "a:b", "a*b", "a?b", "\"a\"\"b\"", "a<b", "a>b", "a|b"}) {
    SCOPED_TRACE(name);
    EditedSample({{"AppName = \"Sample\"", std::string("AppName = ") + name}}).ExpectError("AppName =", message);
  }
}

TEST(InstallModelRefusals, ShortcutLines) {
  const char* message = "bad shortcut line: expected name, 0 or 1, target";
  for (const char* line : {"Sample, 2, Sample.exe", "Sample, 00, Sample.exe", "Sample, , Sample.exe",
                           "Sample, -1, Sample.exe", ", 0, Sample.exe", "Sample, 0, ", "Sample = 0, Sample.exe"}) {
    SCOPED_TRACE(line);
    EditedSample({{"Sample, 0, Sample.exe", line}}).ExpectError(line, message);
  }
  EditedSample({{"Sample, 0, Sample.exe", "Sample, 0, Sample.exe, \\Temp"}})
      .ExpectError("\\Temp", "shortcut folder \\Temp is neither below a %CEn% folder nor in the install folder");
}

TEST(InstallModelRefusals, ADeviceSectionWithoutATarget) {
  for (const char* header : {"[CEDevice.]", "[cedevice. ]"}) {
    const std::string text = std::string(package_tool_test::kSampleInf) + header + "\nProcessorType = 0\n";
    const int line = InfFile::Parse(text, "s.inf").LineCount() - 1;
    EXPECT_EQ(MessageOf([&] { DeviceTargets(InfFile::Parse(text, "s.inf")); }),
              "s.inf(" + std::to_string(line) + "): error: [" + std::string(header).substr(1, 9) + "] names no target");
  }
}

TEST(InstallModelRules, EveryDeviceEntryLandsInItsOwnField) {
  const InstallModel model = EditedSample({{"VersionMin = 4.20\nBuildMax = 0xE0000000",
                                            "VersionMin = 3\nVersionMax = 5.2\nBuildMin = 0X10\nBuildMax = 4294967295"},
                                           {"ProcessorType = 2577", "ProcessorType = 0XA11"}})
                                 .Build();
  const DeviceRequirements& device = model.device;
  EXPECT_EQ(device.processorType, 2577u);
  EXPECT_EQ(device.versionMinMajor, 3u);
  EXPECT_EQ(device.versionMinMinor, 0u);
  EXPECT_EQ(device.versionMaxMajor, 5u);
  EXPECT_EQ(device.versionMaxMinor, 2u);
  EXPECT_EQ(device.buildMin, 16u);
  EXPECT_EQ(device.buildMax, 0xFFFFFFFFu);
}

TEST(InstallModelRules, FoldersLoseEveryTrailingBackslash) {
  const InstallModel model = EditedSample({{"InstallDir = %CE1%\\%AppName%", "InstallDir = %CE1%\\%AppName%\\\\\\"},
                                           {"Files.Windows = 0, %CE2%", "Files.Windows = 0, %CE2%\\\\"}})
                                 .Build();
  EXPECT_EQ(model.installDir, "%CE1%\\Sample");
  EXPECT_EQ(model.files.at(2).directory, "%CE2%");
}

TEST(InstallModelRules, AShortcutMayLieInTheInstallFolderItself) {
  const InstallModel model =
      EditedSample({{"Sample, 0, Sample.exe", "Sample, 0, Sample.exe, %InstallDir%"}}).Build();
  EXPECT_EQ(model.shortcuts.at(0).directory, "%CE1%\\Sample");
}

TEST(InstallModelRules, SourceFilesAndShortcutTargetsAreFoundIgnoringCase) {
  const InstallModel model =
      EditedSample({{"engine.exe = 1", "ENGINE.Exe = 1"}, {"Sample, 0, Sample.exe", "Sample, 0, SAMPLE.EXE"}}).Build();
  EXPECT_EQ(model.files.at(0).sourcePath, "bin\\arm\\engine.exe");
  EXPECT_EQ(model.shortcuts.at(0).target, "SAMPLE.EXE");
}

TEST(InstallModelRules, FileFlagsTakeBothHexadecimalPrefixes) {
  const InstallModel model =
      EditedSample({{"Sample.exe, engine.exe, , 0x40000000", "Sample.exe, engine.exe, , 0X4000000F"}}).Build();
  EXPECT_EQ(model.files.at(0).flags, 0x4000000Fu);
}

}  // namespace
}  // namespace package_tool
