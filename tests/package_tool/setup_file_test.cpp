#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <utility>

#include "package_tool/cabinet_layout.h"
#include "package_tool/setup_file_writer.h"
#include "standins/ce_installer/setup_reader/setup_file_reader.h"
#include "tests/package_tool/package_test_support.h"

namespace package_tool {
namespace {

using standins::ce_installer::ReadSetupFile;
using standins::ce_installer::SetupFileView;

SetupFileView SampleView() {
  InstallModel model = BuildInstallModel(InfFile::Parse(package_tool_test::kSampleInf, "s.inf"), "PPC_ARM",
                                         package_tool_test::ProbeOf(package_tool_test::kSampleSources));
  return ReadSetupFile(WriteSetupFile(model, "s.inf"));
}

// A file of the fuzzers' committed seeds.
std::string SeedFile(const std::string& name) {
  std::ifstream file(std::string(BC_FUZZ_CORPUS) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  EXPECT_FALSE(bytes.str().empty()) << name;
  return bytes.str();
}

// The installer reads these bytes, so they stay as they were: the setup files
// once made from the shipped template, with and without a logo, come out again.
TEST(SetupFile, TheShippedTemplateGivesTheSameBytesAsBefore) {
  for (const auto& [inf, setupFile] :
       {std::pair{"inf_package/shipped_template_logo.inf", "setup_file/shipped_template_logo1.000"},
        std::pair{"inf_package/shipped_template_no_logo.inf", "setup_file/shipped_template_logo0.000"}}) {
    InstallModel model = BuildInstallModel(InfFile::Parse(SeedFile(inf), "setup.inf"), "PPC_ARM",
                                           [](const std::string&) { return true; });
    const std::vector<uint8_t> written = WriteSetupFile(model, "setup.inf");
    EXPECT_EQ(std::string(written.begin(), written.end()), SeedFile(setupFile)) << inf;
  }
}

TEST(SetupFile, HeaderCarriesNamesAndDevice) {
  SetupFileView view = SampleView();
  EXPECT_EQ(view.appName, "Sample");
  EXPECT_EQ(view.provider, "Maker");
  EXPECT_EQ(view.architecture, 2577u);
  EXPECT_EQ(view.versionMin[0], 4u);
  EXPECT_EQ(view.versionMin[1], 20u);
  EXPECT_EQ(view.buildMax, 0xE0000000u);
  EXPECT_EQ(view.unsupported, (std::vector<std::string>{"HPC", "Jupiter"}));
}

TEST(SetupFile, FilesCarryTheirCabinetNumbersAndFolders) {
  SetupFileView view = SampleView();
  ASSERT_EQ(view.files.size(), 3u);
  EXPECT_EQ(view.files[0].number, 1u);
  EXPECT_EQ(view.files[0].directory, "%CE1%\\Sample");
  EXPECT_EQ(view.files[0].name, "Sample.exe");
  EXPECT_EQ(view.files[0].flags, 0x40000000u);
  EXPECT_EQ(view.files[1].name, "data file.txt");
  EXPECT_EQ(view.files[2].number, 3u);
  EXPECT_EQ(view.files[2].directory, "%CE2%");
}

TEST(SetupFile, RegistryValuesKeepKeysTypesAndData) {
  SetupFileView view = SampleView();
  ASSERT_EQ(view.values.size(), 5u);
  const SetupFileView::Value* title = view.FindValue("HKLM\\Software\\Sample", "Title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->Text(), "Hello, Sample");
  EXPECT_EQ(view.FindValue("HKLM\\Software\\Sample", "Count")->Dword(), 42u);
  const SetupFileView::Value* folder = view.FindValue("HKCU\\Software\\Sample\\Sub", "Folder");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(folder->Text(), "%CE1%\\Sample\\data");
  EXPECT_TRUE(folder->substitute);
  EXPECT_EQ(folder->flags, 2u);
  EXPECT_EQ(view.FindValue("HKLM\\Software\\Sample", "List")->Texts(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(view.FindValue("HKLM\\Software\\Sample", "Blob")->data, (std::vector<uint8_t>{0x0A, 0xFF}));
}

TEST(SetupFile, ShortcutsNameTheirBaseFolderAndTarget) {
  SetupFileView view = SampleView();
  ASSERT_EQ(view.links.size(), 2u);
  EXPECT_EQ(view.links[0].location, "%CE11%\\Sample");
  EXPECT_TRUE(view.links[0].toFile);
  EXPECT_EQ(view.links[0].target, 1u);
  EXPECT_EQ(view.links[1].location, "%CE3%\\Sample folder");
  EXPECT_FALSE(view.links[1].toFile);
  EXPECT_EQ(view.directories.at(view.links[1].target), "%CE1%\\Sample");
}

TEST(SetupFile, AnEmptyInstallationIsStillReadable) {
  InstallModel model;
  model.appName = "A";
  model.installDir = "%CE1%\\A";
  SetupFileView view = ReadSetupFile(WriteSetupFile(model, "e.inf"));
  EXPECT_EQ(view.appName, "A");
  EXPECT_TRUE(view.files.empty());
  EXPECT_TRUE(view.unsupported.empty());
}

TEST(SetupFile, TextsTooLongForTheFormatAreRefused) {
  InstallModel model;
  model.appName = "A";
  model.installDir = "%CE1%\\A";
  model.registry.push_back(
      RegistryValue{RegistryRoot::LocalMachine, "K", "V", kRegTypeString, std::vector<uint8_t>(70000, 'x'), false});
  EXPECT_EQ(package_tool_test::MessageOf([&] { WriteSetupFile(model, "big.inf"); }),
            "big.inf: error: cannot write the setup file: a value does not fit its field");
}

TEST(CabinetLayout, ShortNamesFollowTheInstallersConvention) {
  EXPECT_EQ(CabinetMemberName("Blackjack Setup.dll", 999), "BLACKJ~1.999");
  EXPECT_EQ(CabinetMemberName("Blkjack.exe", 5), "0Blkjack.005");
  EXPECT_EQ(CabinetMemberName("Sample.BJL", 4), "00Sample.004");
  EXPECT_EQ(CabinetMemberName("Win Game.wav", 3), "WINGAM~1.003");
  EXPECT_EQ(CabinetMemberName("pocketpc\\arm\\bcmgr.dll", 12), "000bcmgr.012");
  EXPECT_EQ(CabinetMemberName("bce_logofile", 7), "BCE_LO~1.007");
  EXPECT_EQ(CabinetMemberName("set.alf", 1), "00000set.001");
}

TEST(CabinetLayout, EightCharactersStayNineAreCutAndOnlyTheLastDotEndsTheName) {
  const std::pair<const char*, const char*> cases[] = {
      {"Brindlec.exe", "Brindlec.005"}, {"Brindleco.exe", "BRINDL~1.005"}, {"a.b.exe", "AB~1.005"},
      {"README", "00README.005"},       {"x.", "0000000x.005"},            {"_~.txt", "000000_~.005"},
  };
  for (const auto& [name, member] : cases) EXPECT_EQ(CabinetMemberName(name, 5), member) << name;
}

// Folders and keys are named once however their letters are cased.
TEST(SetupFile, FoldersAndKeysDifferingInCaseShareOneEntry) {
  InstallModel model;
  model.appName = "A";
  model.installDir = "%CE1%\\A";
  model.files = {{"a", "%CE1%\\Data", "a.txt", 0}, {"b", "%ce1%\\DATA", "b.txt", 0}};
  model.registry = {{RegistryRoot::LocalMachine, "Software\\A", "x", kRegTypeString, {0}, false},
                    {RegistryRoot::LocalMachine, "SOFTWARE\\a", "y", kRegTypeString, {0}, false}};
  const SetupFileView view = ReadSetupFile(WriteSetupFile(model, "c.inf"));
  EXPECT_EQ(view.directories.size(), 1u);
  ASSERT_EQ(view.files.size(), 2u);
  EXPECT_EQ(view.files[1].directory, "%CE1%\\Data");
  ASSERT_EQ(view.values.size(), 2u);
  EXPECT_EQ(view.values[1].key, "HKLM\\Software\\A");
}

TEST(CabinetLayout, SetupFileFirstThenDescendingNumbers) {
  InstallModel model;
  model.appName = "Brindlecove";
  model.setupDllSource = "arm\\Hook.dll";
  model.files = {{"a.exe", "%CE1%", "a.exe", 0}, {"b.dll", "%CE2%", "b.dll", 0}};
  std::vector<CabinetMember> members = LayOutCabinet(model);
  ASSERT_EQ(members.size(), 4u);
  EXPECT_EQ(members[0].cabName, "BRINDL~1.000");
  EXPECT_EQ(members[0].sourcePath, "");
  EXPECT_EQ(members[1].cabName, "0000Hook.999");
  EXPECT_EQ(members[2].cabName, "0000000b.002");
  EXPECT_EQ(members[3].sourcePath, "a.exe");
  EXPECT_EQ(CabinetFileName(model, "PPC_ARM"), "Brindlecove.PPC_ARM.CAB");
}

}  // namespace
}  // namespace package_tool
