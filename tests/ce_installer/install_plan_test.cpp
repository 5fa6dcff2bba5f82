// Plans from setup files that bcpack's own writer makes.
#include "standins/ce_installer/install_plan.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "package_tool/cabinet_layout.h"
#include "package_tool/setup_file_writer.h"

namespace standins::ce_installer {
namespace {

using package_tool::InstallModel;
using package_tool::RegistryRoot;

class InstallPlanTest : public ::testing::Test {
 protected:
  InstallPlanTest() {
    model_.appName = "Brindlecove";
    model_.installDir = "%CE1%\\Brindlecove";
    model_.setupDllSource = "BCESetup.dll";
    model_.files = {{"e.exe", "%CE1%\\Brindlecove", "Brindlecove.exe", 0},
                    {"m.dll", "%CE2%", "bcmgr.dll", 0},
                    {"d.txt", "%CE1%\\Brindlecove\\data", "long data name.txt", 0}};
    model_.shortcuts = {{"%CE11%", "Brindlecove", true, "Brindlecove.exe"},
                        {"%CE3%", "Data", false, "%CE1%\\Brindlecove\\data"}};
  }
  std::vector<std::string> Members() const {
    std::vector<std::string> names;
    for (const auto& member : package_tool::LayOutCabinet(model_)) names.push_back(member.cabName);
    return names;
  }
  standins::ce_installer::SetupFileView View() const {
    return standins::ce_installer::ReadSetupFile(package_tool::WriteSetupFile(model_, "t.inf"));
  }
  InstallPlan Plan() const { return PlanInstallation(View(), Members()); }
  void AddValue(uint32_t flags, std::vector<uint8_t> data, bool expand = false) {
    model_.registry.push_back({RegistryRoot::LocalMachine, "Software\\Brindlecove",
                               "V" + std::to_string(model_.registry.size()), flags, std::move(data), expand});
  }

  InstallModel model_;
};

TEST_F(InstallPlanTest, FilesGoUnderTheirTrueNamesToResolvedFolders) {
  InstallPlan plan = Plan();
  EXPECT_EQ(plan.appName, "Brindlecove");
  EXPECT_EQ(plan.installDir, "\\Program Files\\Brindlecove");
  EXPECT_EQ(plan.setupLibrary, "BCESetup.999");
  ASSERT_EQ(plan.files.size(), 3u);
  EXPECT_EQ(plan.files[0].member, "BRINDL~1.001");
  EXPECT_EQ(plan.files[0].destination, "\\Program Files\\Brindlecove\\Brindlecove.exe");
  EXPECT_EQ(plan.files[1].destination, "\\Windows\\bcmgr.dll");
  EXPECT_EQ(plan.files[2].destination, "\\Program Files\\Brindlecove\\data\\long data name.txt");
}

TEST_F(InstallPlanTest, FoldersComeParentsFirstOnce) {
  EXPECT_EQ(Plan().folders, (std::vector<std::string>{"\\Program Files", "\\Program Files\\Brindlecove", "\\Windows",
                                                      "\\Program Files\\Brindlecove\\data", "\\Windows\\Start Menu",
                                                      "\\Windows\\Start Menu\\Programs", "\\Windows\\Desktop"}));
}

TEST_F(InstallPlanTest, ShortcutsAreCeShortcutTexts) {
  InstallPlan plan = Plan();
  ASSERT_EQ(plan.shortcuts.size(), 2u);
  EXPECT_EQ(plan.shortcuts[0].path, "\\Windows\\Start Menu\\Programs\\Brindlecove.lnk");
  EXPECT_EQ(plan.shortcuts[0].text, "44#\"\\Program Files\\Brindlecove\\Brindlecove.exe\"");
  EXPECT_EQ(plan.shortcuts[1].path, "\\Windows\\Desktop\\Data.lnk");
  EXPECT_EQ(plan.shortcuts[1].text, "33#\"\\Program Files\\Brindlecove\\data\"");
}

TEST_F(InstallPlanTest, ValuesKeepTheirTypesAndExpandDeviceFolders) {
  AddValue(0x00000000, {'%', 'C', 'E', '2', '%', '\\', 'x', 0}, true);
  AddValue(0x00000000, {'%', 'C', 'E', '2', '%', 0});
  AddValue(0x00010000, {'a', 0, 'b', 0, 0});
  AddValue(0x00010001, {0x0F, 0, 0, 0});
  AddValue(0x00000001 | 0x2, {0x0A, 0xFF});
  InstallPlan plan = Plan();
  ASSERT_EQ(plan.values.size(), 5u);
  EXPECT_EQ(plan.values[0].root, "HKLM");
  EXPECT_EQ(plan.values[0].key, "Software\\Brindlecove");
  EXPECT_EQ(plan.values[0].type, ValueType::String);
  EXPECT_EQ(plan.values[0].texts, std::vector<std::string>{"\\Windows\\x"});
  EXPECT_EQ(plan.values[1].texts, std::vector<std::string>{"%CE2%"});
  EXPECT_EQ(plan.values[2].type, ValueType::MultiString);
  EXPECT_EQ(plan.values[2].texts, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(plan.values[3].type, ValueType::Dword);
  EXPECT_EQ(plan.values[3].dword, 15u);
  EXPECT_EQ(plan.values[4].type, ValueType::Binary);
  EXPECT_EQ(plan.values[4].bytes, (std::vector<uint8_t>{0x0A, 0xFF}));
  EXPECT_TRUE(plan.values[4].keepExisting);
  EXPECT_FALSE(plan.values[3].keepExisting);
}

TEST_F(InstallPlanTest, InstallFolderFallsBackToProgramFilesAndAppName) {
  model_.files = {{"m.dll", "%CE2%", "bcmgr.dll", 0}};
  model_.shortcuts.clear();
  EXPECT_EQ(Plan().installDir, "\\Program Files\\Brindlecove");
  model_.appName = "Other";
  EXPECT_EQ(Plan().installDir, "\\Program Files\\Other");
}

TEST_F(InstallPlanTest, AMissingMemberIsRefused) {
  std::vector<std::string> members = Members();
  members.erase(members.begin() + 2);  // the highest file number after .000 and .999
  try {
    PlanInstallation(View(), members);
    FAIL() << "planned without a member";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "file long data name.txt: cabinet member .003 missing");
  }
}

TEST_F(InstallPlanTest, MemberNamesMustCarryOneNumberEach) {
  std::vector<std::string> members = Members();
  EXPECT_THROW(PlanInstallation(View(), {members[0], members[1], "stray.txt"}), std::runtime_error);
  members.push_back("OTHER.001");
  EXPECT_THROW(PlanInstallation(View(), members), std::runtime_error);
  EXPECT_THROW(SetupFileMember({"a.001"}), std::runtime_error);
  EXPECT_EQ(SetupFileMember(Members()), "BRINDL~1.000");
}

TEST_F(InstallPlanTest, PathsLeadingOutOfTheirFolderAreRefused) {
  model_.files[1].name = "..";
  EXPECT_THROW(Plan(), std::runtime_error);
  model_.files[1] = {"m.dll", "%CE2%\\..\\..", "bcmgr.dll", 0};
  EXPECT_THROW(Plan(), std::runtime_error);
}

TEST_F(InstallPlanTest, TwoFilesToOnePlaceAreRefused) {
  model_.files[1] = {"m.dll", "%CE1%\\BRINDLECOVE", "brindlecove.EXE", 0};
  EXPECT_THROW(Plan(), std::runtime_error);
}

TEST_F(InstallPlanTest, ADwordOfOtherSizeIsRefused) {
  AddValue(0x00010001, {1, 2});
  EXPECT_THROW(Plan(), std::runtime_error);
}

TEST_F(InstallPlanTest, KeepsTheSetupFilesProcessor) {
  for (uint32_t processor : {0u, 686u, 2577u}) {
    model_.device.processorType = processor;
    EXPECT_EQ(Plan().processor, processor);
  }
}

TEST(ProcessorFits, TheSameProcessorOrAPackageForAnyProcessor) {
  struct Case {
    uint32_t package, device;
    bool fits;
  };
  const Case cases[] = {{2577, 2577, true}, {686, 686, true}, {0, 2577, true}, {0, 686, true},
                        {2577, 686, false}, {686, 2577, false}, {686, 0, false}};
  for (const Case& c : cases) EXPECT_EQ(ProcessorFits(c.package, c.device), c.fits) << c.package << " on " << c.device;
}

}  // namespace
}  // namespace standins::ce_installer
