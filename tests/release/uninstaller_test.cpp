// The interactive uninstaller of an installed builder (BC_INSTALLED_FOLDER),
// installed afresh by each test with the silent installer BC_SETUP: what the
// builder made in its folder goes only when the user says Yes.
#include <cstdlib>

#include <gtest/gtest.h>

#include "support/files.h"
#include "tests/gui_driver/gui_driver.h"

using namespace gui_driver;

namespace {

constexpr milliseconds kSlow{120000};

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

void MakeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, "made", 4, &written, nullptr);
  CloseHandle(file);
}

class Uninstaller : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Env("BC_SETUP").empty() || Folder().empty()) << "BC_SETUP and BC_INSTALLED_FOLDER must be set";
    Process setup(Env("BC_SETUP"), "/S");
    ASSERT_EQ(setup.WaitForExit(kSlow), 0u) << "the silent install failed";
    ASSERT_TRUE(support::PathExists(Folder() + "\\Brindlecove.exe"));
    // What a build leaves behind.
    CreateDirectoryA((Folder() + "\\output").c_str(), nullptr);
    MakeFile(Folder() + "\\output\\Brindlecove.PPC_ARM.CAB");
    MakeFile(Folder() + "\\setup.inf");
  }

  static std::string Folder() { return Env("BC_INSTALLED_FOLDER"); }

  // Runs the uninstaller as Add/Remove Programs does, confirms, and answers
  // its question about the builder's files with the button.
  static void Uninstall(int answer) {
    Process uninstaller(Folder() + "\\uninstall.exe");
    ASSERT_TRUE(uninstaller.Started());
    // It goes on in a copy of itself, another process, whose caption names
    // the page it shows after this.
    const std::string caption = "Brindlecove Builder " BC_VERSION " Uninstall";
    HWND window = nullptr;
    WaitUntil([&] {
      window = FindTopWindow(0, [&](HWND w) { return Text(w).rfind(caption, 0) == 0 && IsWindowEnabled(w); });
      return window != nullptr;
    }, kSlow);
    ASSERT_NE(window, nullptr) << "no window " << caption;
    ClickAsync(window, IDOK);  // "Uninstall" on the confirmation page
    const MessageBoxInfo question = WaitMessageBox(0, kSlow);
    ASSERT_NE(question.window, nullptr) << "the uninstaller did not ask about the builder's files";
    EXPECT_NE(question.text.find("Remove them too?"), std::string::npos) << question.text;
    SaveScreenshot(question.window, BuildFile("uninstall_question.png"));
    Answer(question, answer);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(window, IDOK)) && Text(window, IDOK) == "&Close"; },
                          kSlow));
    ClickAsync(window, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, kSlow));
  }
};

}  // namespace

TEST_F(Uninstaller, NoKeepsWhatTheBuilderMade) {
  Uninstall(IDNO);
  EXPECT_FALSE(support::PathExists(Folder() + "\\Brindlecove.exe"));
  EXPECT_FALSE(support::PathExists(Folder() + "\\uninstall.exe"));
  EXPECT_TRUE(support::PathExists(Folder() + "\\output\\Brindlecove.PPC_ARM.CAB"));
  EXPECT_TRUE(support::PathExists(Folder() + "\\setup.inf"));
}

TEST_F(Uninstaller, YesRemovesItWithTheFolder) {
  Uninstall(IDYES);
  EXPECT_FALSE(support::PathExists(Folder()));
}
