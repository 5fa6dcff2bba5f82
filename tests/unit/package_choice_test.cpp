#include "install_tool/package_choice.h"

#include <gtest/gtest.h>

namespace install_tool {
namespace {

TEST(NewestPackage, TakesTheLatestCabOfAnyCase) {
  EXPECT_EQ(NewestPackage({{"old.CAB", 10}, {"new.cab", 30}, {"mid.Cab", 20}}), "new.cab");
}

TEST(NewestPackage, TakesThePackageToolsUpperCaseCab) {
  // The package tool names its cabinets "<name>.<target>.CAB".
  EXPECT_EQ(NewestPackage({{"older.cab", 10}, {"Brindlecove.PPC_ARM.CAB", 20}}), "Brindlecove.PPC_ARM.CAB");
  EXPECT_EQ(NewestPackage({{"Brindlecove.PPC_ARM.CAB", 5}}), "Brindlecove.PPC_ARM.CAB");
}

TEST(NewestPackage, OfEqualTimesTheFirstListedWins) {
  EXPECT_EQ(NewestPackage({{"first.CAB", 7}, {"second.cab", 7}, {"older.cab", 6}}), "first.CAB");
  EXPECT_EQ(NewestPackage({{"older.cab", 6}, {"second.cab", 7}, {"first.CAB", 7}}), "second.cab");
}

TEST(NewestPackage, IgnoresEverythingButCabs) {
  EXPECT_EQ(NewestPackage({{"notes.txt", 99}, {"a.cab", 1}, {"b.CAB.part", 50}, {"cab", 60}}), "a.cab");
  EXPECT_EQ(NewestPackage({{"setup.inf", 5}}), std::nullopt);
  EXPECT_EQ(NewestPackage({}), std::nullopt);
}

TEST(DevicePackagePath, PutsThePackageInTheDevicesWindowsFolder) {
  EXPECT_EQ(DevicePackagePath("Brindlecove.PPC_ARM.CAB"), L"\\Windows\\Brindlecove.PPC_ARM.CAB");
  EXPECT_EQ(InstallerCommandLine(L"\\Windows\\a b.cab"), L"\"\\Windows\\a b.cab\"");
}

}  // namespace
}  // namespace install_tool
