#include <gtest/gtest.h>

#include <stdexcept>

#include "standins/ce_installer/device_folders.h"

namespace standins::ce_installer {
namespace {

TEST(DeviceFolders, MacrosNameTheCeFolders) {
  EXPECT_EQ(DeviceFolderOf("CE1"), "\\Program Files");
  EXPECT_EQ(DeviceFolderOf("ce2"), "\\Windows");
  EXPECT_EQ(DeviceFolderOf("CE11"), "\\Windows\\Start Menu\\Programs");
  EXPECT_EQ(DeviceFolderOf("CE17"), "\\Windows\\Start Menu");
  for (const char* unknown : {"CE0", "CE18", "CE01", "CE", "CEx", "InstallDir", "CE99999999999999999999"}) {
    EXPECT_EQ(DeviceFolderOf(unknown), std::nullopt) << unknown;
  }
}

TEST(DeviceFolders, ResolvesMacrosInstallFolderAndRootedPaths) {
  EXPECT_EQ(ResolveFolder("%CE1%\\Brindlecove", ""), "\\Program Files\\Brindlecove");
  EXPECT_EQ(ResolveFolder("%ce2%", ""), "\\Windows");
  EXPECT_EQ(ResolveFolder("%InstallDir%\\data", "\\Program Files\\X"), "\\Program Files\\X\\data");
  EXPECT_EQ(ResolveFolder("\\Temp\\\\x\\", ""), "\\Temp\\x");
}

TEST(DeviceFolders, RefusesPathsLeadingElsewhere) {
  for (const char* bad : {"%CE1%\\..\\Windows", "%CE99%\\x", "relative\\x", "\\", "", "%CE2%\\a:b",
                          "%InstallDir%\\x", "\\Temp\\x.", "%CE1%x"}) {
    EXPECT_THROW(ResolveFolder(bad, ""), std::runtime_error) << bad;
  }
}

TEST(DeviceFolders, ExpandsMacrosInsideTextAndLeavesOtherPercents) {
  EXPECT_EQ(ExpandFolderMacros("%CE2%\\abce.pac", ""), "\\Windows\\abce.pac");
  EXPECT_EQ(ExpandFolderMacros("50% off %CE1%%InstallDir%", "\\I"), "50% off \\Program Files\\I");
  EXPECT_EQ(ExpandFolderMacros("%unknown% and %", ""), "%unknown% and %");
}

TEST(DeviceFolders, ChainsAndParents) {
  EXPECT_EQ(FolderChain("\\a\\b\\c"), (std::vector<std::string>{"\\a", "\\a\\b", "\\a\\b\\c"}));
  EXPECT_EQ(ParentFolder("\\Windows\\x.lnk"), "\\Windows");
  EXPECT_TRUE(IsPlainName("Brindlecove.exe"));
  EXPECT_TRUE(IsPlainName("data file.txt"));
  for (const char* bad : {"", ".", "..", "a\\b", "a/b", "x?", "tail ", "tail.", "tab\t"}) {
    EXPECT_FALSE(IsPlainName(bad)) << bad;
  }
}

}  // namespace
}  // namespace standins::ce_installer
