#include <gtest/gtest.h>

#include "package_tool/install_model_builder.h"
#include "tests/package_tool/package_test_support.h"

namespace package_tool {
namespace {

using package_tool_test::kSampleInf;
using package_tool_test::kSampleSources;
using package_tool_test::MessageOf;
using package_tool_test::ProbeOf;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

int LineOf(const std::string& text, const std::string& needle) {
  size_t at = text.find(needle);
  return at == std::string::npos
             ? 0
             : 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

InstallModel Build(const std::string& text, const std::string& target = "PPC_ARM") {
  return BuildInstallModel(InfFile::Parse(text, "s.inf"), target, ProbeOf(kSampleSources));
}

std::string ErrorOf(const std::string& text, const std::set<std::string>& sources = kSampleSources) {
  return MessageOf([&] { BuildInstallModel(InfFile::Parse(text, "s.inf"), "PPC_ARM", ProbeOf(sources)); });
}

std::string At(const std::string& text, const std::string& needle, const std::string& message) {
  return "s.inf(" + std::to_string(LineOf(text, needle)) + "): error: " + message;
}

TEST(InstallModel, ReadsNamesFoldersAndDevice) {
  InstallModel model = Build(kSampleInf);
  EXPECT_EQ(model.appName, "Sample");
  EXPECT_EQ(model.provider, "Maker");
  EXPECT_EQ(model.installDir, "%CE1%\\Sample");
  EXPECT_EQ(model.device.processorType, 2577u);
  EXPECT_EQ(model.device.versionMinMajor, 4u);
  EXPECT_EQ(model.device.versionMinMinor, 20u);
  EXPECT_EQ(model.device.buildMax, 0xE0000000u);
  EXPECT_EQ(model.device.unsupportedPlatforms, (std::vector<std::string>{"HPC", "Jupiter"}));
  EXPECT_EQ(model.setupDllSource, "bin\\arm\\Hook.dll");
}

TEST(InstallModel, FilesComeFromTheirSourceDisksAndGoToTheirSectionsFolders) {
  InstallModel model = Build(kSampleInf);
  ASSERT_EQ(model.files.size(), 3u);
  EXPECT_EQ(model.files[0].name, "Sample.exe");
  EXPECT_EQ(model.files[0].sourcePath, "bin\\arm\\engine.exe");
  EXPECT_EQ(model.files[0].directory, "%CE1%\\Sample");  // DefaultDestDir
  EXPECT_EQ(model.files[0].flags, 0x40000000u);
  EXPECT_EQ(model.files[1].sourcePath, "data file.txt");
  EXPECT_EQ(model.files[2].directory, "%CE2%");
}

TEST(InstallModel, TargetsComeFromDeviceSections) {
  InfFile sample = InfFile::Parse(kSampleInf, "s.inf");
  EXPECT_EQ(DeviceTargets(sample), (std::vector<std::string>{"PPC_ARM"}));
  std::string two =
      Replaced(kSampleInf, "[CEDevice.PPC_ARM]", "[CEDevice.SP_ARM]\nProcessorType = 0\n[CEDevice.PPC_ARM]");
  EXPECT_EQ(DeviceTargets(InfFile::Parse(two, "s.inf")), (std::vector<std::string>{"SP_ARM", "PPC_ARM"}));
  EXPECT_EQ(Build(two, "SP_ARM").device.processorType, 0u);
  EXPECT_EQ(Build(two, "SP_ARM").device.versionMinMinor, 20u);  // from [CEDevice]
  std::string none = Replaced(kSampleInf, "[CEDevice.PPC_ARM]\nProcessorType = 2577\n", "");
  EXPECT_EQ(DeviceTargets(InfFile::Parse(none, "s.inf")), (std::vector<std::string>{"PPC_ARM"}));
}

TEST(InstallModel, RegistryValuesAreEncodedByTheirType) {
  InstallModel model = Build(kSampleInf);
  ASSERT_EQ(model.registry.size(), 5u);
  const RegistryValue& title = model.registry[0];
  EXPECT_EQ(title.root, RegistryRoot::LocalMachine);
  EXPECT_EQ(title.keyPath, "Software\\Sample");
  EXPECT_EQ(title.name, "Title");
  EXPECT_EQ(std::string(title.data.begin(), title.data.end()), std::string("Hello, Sample\0", 14));
  EXPECT_FALSE(title.expandOnDevice);
  EXPECT_EQ(model.registry[1].data, (std::vector<uint8_t>{0x2A, 0, 0, 0}));
  EXPECT_EQ(model.registry[2].root, RegistryRoot::CurrentUser);
  EXPECT_EQ(model.registry[2].flags, kRegNoClobber);
  EXPECT_TRUE(model.registry[2].expandOnDevice);
  EXPECT_EQ(std::string(model.registry[3].data.begin(), model.registry[3].data.end()),
            std::string("one\0two\0\0", 9));
  EXPECT_EQ(model.registry[4].data, (std::vector<uint8_t>{0x0A, 0xFF}));
}

TEST(InstallModel, ShortcutsPointAtInstalledFilesOrFolders) {
  InstallModel model = Build(kSampleInf);
  ASSERT_EQ(model.shortcuts.size(), 2u);
  EXPECT_EQ(model.shortcuts[0].directory, "%CE11%");
  EXPECT_TRUE(model.shortcuts[0].targetsFile);
  EXPECT_EQ(model.shortcuts[1].directory, "%CE3%");
  EXPECT_FALSE(model.shortcuts[1].targetsFile);
  EXPECT_EQ(model.shortcuts[1].target, "%CE1%\\Sample");
  std::string bad = Replaced(kSampleInf, "Sample, 0, Sample.exe", "Sample, 0, Other.exe");
  EXPECT_EQ(ErrorOf(bad), At(bad, "Sample, 0, Other.exe", "shortcut target Other.exe is not installed"));
}

TEST(InstallModel, MissingSectionsNameTheLineThatNeedsThem) {
  std::string noList = Replaced(kSampleInf, "[Files.Windows]", "[Files.Elsewhere]");
  EXPECT_EQ(ErrorOf(noList), At(noList, "CopyFiles", "section [Files.Windows] not found"));
  std::string noVersion = Replaced(kSampleInf, "[Version]", "[Versions]");
  EXPECT_EQ(ErrorOf(noVersion), "s.inf(" + std::to_string(InfFile::Parse(noVersion, "").LineCount()) +
                                     "): error: section [Version] not found");
  std::string noDestination = Replaced(kSampleInf, "DefaultDestDir = 0, %InstallDir%\n", "");
  EXPECT_EQ(ErrorOf(noDestination),
            At(noDestination, "CopyFiles", "no destination folder for [Files.App] in [DestinationDirs]"));
}

TEST(InstallModel, AbsentFilesNameTheirLine) {
  std::set<std::string> withoutHelper = kSampleSources;
  withoutHelper.erase("bin\\arm\\helper.dll");
  EXPECT_EQ(ErrorOf(kSampleInf, withoutHelper),
            At(kSampleInf, "helper.dll\n\n", "file not found: bin\\arm\\helper.dll"));
  std::string unlisted = Replaced(kSampleInf, "helper.dll\n\n", "other.dll\n\n");
  EXPECT_EQ(ErrorOf(unlisted),
            At(unlisted, "other.dll", "file other.dll is not listed in [SourceDisksFiles]"));
  std::string noDisk = Replaced(kSampleInf, "helper.dll = 1", "helper.dll = 7");
  EXPECT_EQ(ErrorOf(noDisk),
            At(noDisk, "helper.dll = 7", "source disk 7 is not listed in [SourceDisksNames]"));
  std::set<std::string> withoutHook = kSampleSources;
  withoutHook.erase("bin\\arm\\Hook.dll");
  EXPECT_EQ(ErrorOf(kSampleInf, withoutHook),
            At(kSampleInf, "CESetupDLL", "file not found: bin\\arm\\Hook.dll"));
}

TEST(InstallModel, ATargetsOwnSourceDisksOverrideTheCommonOnes) {
  // Disk 1 moves for PPC_X86 only; disk 2 stays common.
  std::string perTarget =
      Replaced(kSampleInf, "[SourceDisksFiles]", "[SourceDisksNames.PPC_X86]\n1 = ,\"Device\",,bin\\x86\n\n"
                                                 "[SourceDisksFiles]");
  std::set<std::string> sources = kSampleSources;
  for (const char* file : {"bin\\x86\\engine.exe", "bin\\x86\\Hook.dll", "bin\\x86\\helper.dll"}) {
    sources.insert(file);
  }
  const InstallModel arm = BuildInstallModel(InfFile::Parse(perTarget, "s.inf"), "PPC_ARM", ProbeOf(sources));
  const InstallModel x86 = BuildInstallModel(InfFile::Parse(perTarget, "s.inf"), "PPC_X86", ProbeOf(sources));
  EXPECT_EQ(arm.files[0].sourcePath, "bin\\arm\\engine.exe");
  EXPECT_EQ(x86.files[0].sourcePath, "bin\\x86\\engine.exe");
  EXPECT_EQ(x86.files[1].sourcePath, "data file.txt");
  EXPECT_EQ(x86.setupDllSource, "bin\\x86\\Hook.dll");
  // Only its own disks: the common section may be left out, and a target
  // without either has none.
  std::string ownOnly = Replaced(kSampleInf, "[SourceDisksNames]\n", "[SourceDisksNames.PPC_X86]\n");
  EXPECT_EQ(BuildInstallModel(InfFile::Parse(ownOnly, "s.inf"), "PPC_X86", ProbeOf(sources)).files[0].sourcePath,
            "bin\\arm\\engine.exe");
  EXPECT_NE(ErrorOf(ownOnly).find("error: section [SourceDisksNames] not found"), std::string::npos)
      << ErrorOf(ownOnly);
}

TEST(InstallModel, BadRegistryLinesNameTheirLine) {
  const std::string good = "HKLM, %KeyPath%, Count, 0x00010001, 0x2A";
  const std::pair<const char*, const char*> cases[] = {
      {"HKXX, Key, Count, 0, x", "bad registry line: unknown root \"HKXX\""},
      {"HKLM, Key, Count", "bad registry line: expected root, key, name, flags and data"},
      {"HKLM, , Count, 0, x", "bad registry line: no key"},
      {"HKLM, Key, Count, zero, x", "bad registry line: flags \"zero\" are not a number"},
      {"HKLM, Key, Count, 0x00000100, x", "bad registry line: unknown flags 0x00000100"},
      {"HKLM, Key, Count, 0x00010001, ten", "bad registry line: \"ten\" is not a DWORD number"},
      {"HKLM, Key, Count, 0x00010001, 4294967296", "bad registry line: \"4294967296\" is not a DWORD number"},
      {"HKLM, Key, Count, 0x00010001", "bad registry line: a DWORD value takes one data field"},
      {"HKLM, Key, Count, 0, a, b", "bad registry line: a string value takes one data field"},
      {"HKLM, Key, Count, 1, 0g", "bad registry line: \"0g\" is not a hexadecimal byte"},
      {"HKLM = Key, Count, 0, x", "bad registry line: unexpected '='"},
  };
  for (const auto& [line, message] : cases) {
    std::string text = Replaced(kSampleInf, good, line);
    EXPECT_EQ(ErrorOf(text), At(text, line, message));
  }
  std::string unknown = Replaced(kSampleInf, good, "HKLM, %KeyPaths%, Count, 0, x");
  EXPECT_EQ(ErrorOf(unknown), At(unknown, "%KeyPaths%", "unknown macro %KeyPaths%"));
}

TEST(InstallModel, VersionAndStringsAreChecked) {
  std::string wrongCe = Replaced(kSampleInf, "$Windows CE$", "$Windows XP$");
  EXPECT_EQ(ErrorOf(wrongCe), At(wrongCe, "CESignature", "CESignature must be \"$Windows CE$\""));
  std::string badName = Replaced(kSampleInf, "\"Sample\"", "\"a/b\"");
  EXPECT_EQ(ErrorOf(badName),
            At(badName, "AppName", "AppName must be a text that can name the cabinet file"));
  std::string badVersion = Replaced(kSampleInf, "4.20", "4.x");
  EXPECT_EQ(ErrorOf(badVersion), At(badVersion, "VersionMin", "VersionMin must be major.minor"));
}

}  // namespace
}  // namespace package_tool
