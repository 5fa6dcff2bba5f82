// The builder as the installer left it, started from its installed folder
// (BC_INSTALLED_FOLDER): its main window, the release version in its About box
// and a build whose package lands in the installed folder's output\.
#include <cstdlib>

#include "tests/gui/builder_fixture.h"
#include "support/files.h"
#include "tests/gui_driver/file_dialogs.h"

using namespace gui_driver;

namespace {

std::string InstalledFolder() {
  const char* folder = std::getenv("BC_INSTALLED_FOLDER");
  return folder ? folder : "";
}

class InstalledBuilder : public BuilderTest {
 protected:
  void SetUp() override {
    ASSERT_FALSE(InstalledFolder().empty()) << "BC_INSTALLED_FOLDER is not set";
    builder_ = std::make_unique<Process>(InstalledFolder() + "\\Brindlecove.exe", "", InstalledFolder());
    ASSERT_TRUE(builder_->Started()) << "cannot start the installed builder";
    // The first start in a new prefix is slow.
    main_ = FindDialog(builder_->Id(), "Brindlecove", milliseconds(60000));
    ASSERT_NE(main_, nullptr) << "the installed builder shows no main window";
  }
};

}  // namespace

TEST_F(InstalledBuilder, AboutBoxShowsTheReleaseVersion) {
  ClickAsync(main_, IDC_ABOUT);
  // The box has no title bar, hence no caption.
  HWND about = FindDialog(builder_->Id(), "");
  ASSERT_NE(about, nullptr) << "the About box did not open";
  EXPECT_EQ(Text(about, IDC_BUILDER_VERSION), BC_ABOUT_VERSION);
  EXPECT_EQ(Text(about, IDC_ENGINE_VERSION).rfind("v", 0), 0u) << "the installed engine file has no version";
  SaveScreenshot(about, BuildFile("installed_about_box.png"));
  ClickAsync(about, IDOK);
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), ""));
}

TEST_F(InstalledBuilder, BuildsAPackageIntoTheInstalledOutputFolder) {
  const std::string package = InstalledFolder() + "\\output\\Brindlecove.PPC_ARM.CAB";
  ASSERT_FALSE(support::PathExists(package));
  AddApplication("Word", "\\windows\\pword.exe");
  ClickAsync(main_, IDC_BUILD);
  ASSERT_TRUE(ChooseFile(builder_->Id(), "Save Brindlecove Project", BuildFile("installed_kiosk.bcp")));
  ExpectBox("It is recommended to enter an administrator code.\nWould you like to enter it?", IDNO);
  const MessageBoxInfo info = WaitMessageBox(builder_->Id());
  ASSERT_NE(info.window, nullptr);
  EXPECT_EQ(info.caption, "Brindlecove Builder");
  Answer(info, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) && support::PathExists(package); }, milliseconds(120000)))
      << "Build left no package in " << package;
  // Build ends by opening the output folder; the browser's first start is slow.
  HWND browser = nullptr;
  WaitUntil([&] { return (browser = FindTopWindow(0, [](HWND w) { return Text(w) == "output"; })) != nullptr; },
            milliseconds(60000));
  EXPECT_NE(browser, nullptr) << "the output folder was not opened";
  if (browser) PostMessageA(browser, WM_CLOSE, 0, 0);
}
