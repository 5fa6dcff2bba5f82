// wceload.exe /uninstall, and installing again over an installation.
#include <gtest/gtest.h>

#include "tests/ce_installer/installer_test_support.h"

namespace ce_installer_test {
namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

class Removal : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveInstallation();
    SetEnvironmentVariableW(L"BC_FAKE_HOOKS_LOG", hookLog_.c_str());
    DeleteFileW(hookLog_.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"BC_FAKE_HOOKS_ANSWER", nullptr);
    DeleteFileW(hookLog_.c_str());
    RemoveInstallation();
  }
  std::string Hooks() const { return ReadWholeFile(hookLog_).value_or(""); }
  void ForgetHooks() const { DeleteFileW(hookLog_.c_str()); }

  std::wstring hookLog_ = kWindows + L"\\fake_hooks.log";
};

TEST_F(Removal, CallsTheUninstallHooksAndRemovesEverything) {
  PackedBuilderFolder package(WideWindowsPath(BC_FAKE_HOOKS));
  ASSERT_TRUE(package.Packed());
  ASSERT_EQ(RunInstaller(Quoted(package.Cabinet())).exitCode, 0u);
  ForgetHooks();
  InstallerRun run = RunInstaller(L"/uninstall Brindlecove");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(Hooks(), "Uninstall_Init dir=\\Program Files\\Brindlecove owner=1 engine=1\nUninstall_Exit owner=1\n");
  EXPECT_TRUE(NothingInstalled());
  EXPECT_FALSE(PathExists(kWindows + L"\\AppMgr\\Brindlecove.dll"));
  EXPECT_EQ(LastLogLine(), "success uninstall Brindlecove");
}

TEST_F(Removal, InstallingAgainTellsTheSetupLibraryAndRemovalStillTakesAll) {
  PackedBuilderFolder package(WideWindowsPath(BC_FAKE_HOOKS));
  ASSERT_TRUE(package.Packed());
  ASSERT_EQ(RunInstaller(Quoted(package.Cabinet())).exitCode, 0u);
  ForgetHooks();
  ASSERT_EQ(RunInstaller(Quoted(package.Cabinet())).exitCode, 0u);
  EXPECT_EQ(Hooks().rfind("Install_Init dir=\\Program Files\\Brindlecove first=1 previous=1 ", 0), 0u) << Hooks();
  ASSERT_EQ(RunInstaller(L"/uninstall Brindlecove").exitCode, 0u);
  EXPECT_TRUE(NothingInstalled());
}

TEST_F(Removal, ACancellingSetupLibraryKeepsTheInstallation) {
  PackedBuilderFolder package(WideWindowsPath(BC_FAKE_HOOKS));
  ASSERT_TRUE(package.Packed());
  ASSERT_EQ(RunInstaller(Quoted(package.Cabinet())).exitCode, 0u);
  SetEnvironmentVariableW(L"BC_FAKE_HOOKS_ANSWER", L"cancel_uninstall");
  EXPECT_EQ(RunInstaller(L"/uninstall Brindlecove").exitCode, 1u);
  EXPECT_TRUE(PathExists(kInstallFolder + L"\\Brindlecove.exe"));
  EXPECT_TRUE(PathExists(kRecord));
  EXPECT_EQ(LastLogLine(), "failure uninstall Brindlecove: cancelled by the setup library");
}

TEST_F(Removal, AnUnknownApplicationIsRefused) {
  for (const wchar_t* name : {L"Brindlecove", L"..\\Brindlecove"}) {
    InstallerRun run = RunInstaller(std::wstring(L"/uninstall ") + name);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.messages, std::vector<std::wstring>{L"The application is not installed."});
  }
}

TEST_F(Removal, TheRealSetupLibraryAsksItsQuestionsAfterInstalling) {
  PackedBuilderFolder package(WideWindowsPath(BC_REAL_HOOKS));
  ASSERT_TRUE(package.Packed());
  InstallerRun run = RunInstaller(Quoted(package.Cabinet()));
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.setupQuestions, (std::vector<std::wstring>{
                                     L"Device will reset automatically to avoid any startup issues. Reset now?",
                                     L"Would you like to start Kiosk mode now?"}));
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(RunInstaller(L"/uninstall Brindlecove").exitCode, 0u);
  EXPECT_TRUE(NothingInstalled());
}

}  // namespace
}  // namespace ce_installer_test
