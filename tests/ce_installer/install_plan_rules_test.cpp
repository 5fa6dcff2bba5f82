// The install plan's refusals with their messages, on setup files put
// together by hand so that each holds just the fault.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "standins/ce_installer/device_folders.h"
#include "standins/ce_installer/install_plan.h"
#include "tests/package_tool/package_test_support.h"

namespace standins::ce_installer {
namespace {

using package_tool_test::MessageOf;

SetupFileView OneFileView(unsigned number) {
  SetupFileView view;
  view.appName = "App";
  view.files = {{number, "%CE2%", "x.dll", 0}};
  return view;
}

SetupFileView OneValueView(const std::string& key, const std::string& name) {
  SetupFileView view;
  view.appName = "App";
  view.values = {{key, name, 0, false, {'v', 0}}};
  return view;
}

TEST(InstallPlanRules, MembersEndInExactlyThreeDigits) {
  EXPECT_EQ(SetupFileMember({"A.001", "APP.000", "B.999"}), "APP.000");
  for (const char* member : {"a.00", "a.0000", "a.00x", "a.+01", "a", "a.000.", ".00"}) {
    EXPECT_EQ(MessageOf<std::runtime_error>([&] { SetupFileMember({"APP.000", member}); }),
              "cabinet member \"" + std::string(member) + "\" has no file number");
  }
  EXPECT_EQ(MessageOf<std::runtime_error>([] { SetupFileMember({"A.000", "B.000"}); }), "two cabinet members carry the number 000");
  EXPECT_EQ(MessageOf<std::runtime_error>([] { SetupFileMember({"A.001"}); }), "the cabinet holds no setup file (.000)");
}

TEST(InstallPlanRules, TheSetupFileAndTheLibraryAreNoFilesToInstall) {
  for (unsigned number : {0u, 999u}) {
    EXPECT_EQ(MessageOf<std::runtime_error>([&] { PlanInstallation(OneFileView(number), {"APP.000", "X.999"}); }),
              "file x.dll: cabinet member ." + std::string(number == 0 ? "000" : "999") + " missing");
  }
  EXPECT_EQ(PlanInstallation(OneFileView(998), {"APP.000", "X.998"}).files.at(0).member, "X.998");
}

TEST(InstallPlanRules, AFolderNamedInTwoCasesIsMadeOnce) {
  SetupFileView view;
  view.appName = "App";
  view.files = {{1, "%CE1%\\App", "a", 0}, {2, "%ce1%\\APP\\Data", "b", 0}};
  EXPECT_EQ(PlanInstallation(view, {"APP.000", "A.001", "B.002"}).folders,
            (std::vector<std::string>{"\\Program Files", "\\Program Files\\App", "\\Program Files\\APP\\Data"}));
}

TEST(InstallPlanRules, KeysAndValueNamesWithControlCharactersAreRefused) {
  for (const auto& [key, name] : std::vector<std::pair<std::string, std::string>>{
           {"HKLM\\K\x1F", "N"}, {"HKLM\\\x01K", "N"}, {"HKLM\\K", "N\x1F"}, {"HKLM\\K", "\tN"}, {"HKLM", "N"}}) {
    EXPECT_EQ(MessageOf<std::runtime_error>([&] { PlanInstallation(OneValueView(key, name), {"APP.000"}); }),
              "bad registry key \"" + key + "\"");
  }
  const InstallPlan plan = PlanInstallation(OneValueView("HKLM\\K \x7F", " N~"), {"APP.000"});
  EXPECT_EQ(plan.values.at(0).key, "K \x7F");
  EXPECT_EQ(plan.values.at(0).name, " N~");
}

TEST(InstallPlanRules, APlainNameHoldsNoSeparatorWildcardOrControlCharacter) {
  for (const char* bad : {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a\x1F" "b", "\x01"}) {
    EXPECT_FALSE(IsPlainName(bad)) << bad;
  }
  for (const char* good : {"a b.txt", " lead", "a\x7F", "#~!.x", "..a", "a..b"}) EXPECT_TRUE(IsPlainName(good)) << good;
}

}  // namespace
}  // namespace standins::ce_installer
