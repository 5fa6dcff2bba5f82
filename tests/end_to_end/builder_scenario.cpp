// The builder's half of the end-to-end run: a user makes a project, builds and
// installs it, then takes the device out of kiosk mode from Device Control.
// The device's half (its questions, the kiosk window) is device_agent.exe.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/gui/builder_fixture.h"
#include "support/files.h"
#include "tests/gui_driver/file_dialogs.h"

using namespace gui_driver;

namespace {

constexpr milliseconds kDeviceWait{240000};

std::string SessionDir() {
  const char* dir = std::getenv("BC_SESSION_DIR");
  return dir ? dir : "";
}

std::string EngineState() {
  std::ifstream file(SessionDir() + "/device-prefix/drive_c/Program Files/Brindlecove/engine_state.txt");
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

using EndToEnd = BuilderTest;

TEST_F(EndToEnd, FromBuildToKioskModeAndBack) {
  ASSERT_FALSE(SessionDir().empty());
  // One package per processor; Install sends the emulated device the x86 one.
  const std::string package = DistFolder() + "\\output\\Brindlecove.PPC_X86.CAB";
  const std::string armPackage = DistFolder() + "\\output\\Brindlecove.PPC_ARM.CAB";
  DeleteFileA(package.c_str());
  DeleteFileA(armPackage.c_str());

  AddApplication("Word", "\\windows\\pword.exe", "", false, false);
  AddApplication("Notes", "\\windows\\notes.exe", "-x", false, true);
  // The device shows its start-up screen long enough for the device's user to
  // photograph it, then the kiosk desktop, which lists Word but not the hidden Notes.
  SetText(main_, IDC_COUNTDOWN, "120");
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  SetText(main_, IDC_KIOSK_TITLE, "Shop floor");
  for (int key : {IDC_KEY_1, IDC_KEY_2, IDC_KEY_3, IDC_KEY_4}) Click(main_, key);
  SetText(main_, IDC_LOGO, WindowsPath(BC_SOURCE_DIR "/builder/app/art/banner.bmp"));
  SaveScreenshot(main_, BuildFile("e2e_builder_project.png"));

  ClickAsync(main_, IDC_BUILD);
  ASSERT_TRUE(ChooseFile(builder_->Id(), "Save Brindlecove Project", BuildFile("e2e_shop.bcp")));
  MessageBoxInfo info = WaitMessageBox(builder_->Id());
  ASSERT_NE(info.window, nullptr);
  EXPECT_EQ(info.caption, "Brindlecove Builder");
  SaveScreenshot(info.window, BuildFile("e2e_build_information.png"));
  Answer(info, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) && support::PathExists(package); }, milliseconds(120000)))
      << "Build left no package in output\\";
  EXPECT_TRUE(support::PathExists(armPackage)) << "Build left no ARM package in output\\";
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "e2e_shop");
  // Build ends by opening the output folder in the file browser.
  HWND browser = nullptr;
  // The file browser's first start in a new prefix is slow.
  WaitUntil([&] { return (browser = FindTopWindow(0, [](HWND w) { return Text(w) == "output"; })) != nullptr; },
            milliseconds(60000));
  EXPECT_NE(browser, nullptr) << "the output folder was not opened";
  if (browser) {
    SaveScreenshot(browser, BuildFile("e2e_output_folder.png"));
    PostMessageA(browser, WM_CLOSE, 0, 0);
  }

  ClickAsync(main_, IDC_INSTALL);
  ASSERT_TRUE(WaitUntil([&] { return EngineState().find("kiosk=on") != std::string::npos; }, kDeviceWait))
      << "the engine did not start on the device; state: " << EngineState();
  EXPECT_NE(EngineState().find("started=plain"), std::string::npos) << EngineState();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }, milliseconds(60000)));
  // The device's user photographs the start-up screen, goes on to the kiosk
  // desktop and photographs it too.
  EXPECT_TRUE(WaitUntil([] { return support::PathExists(BuildFile("kiosk_desktop.png")); }, milliseconds(60000)));
  EXPECT_TRUE(WaitUntil([&] { return EngineState().find("screen=desktop") != std::string::npos; }))
      << EngineState();

  HWND controller = OpenDialog(IDC_DEVICE_CONTROL, "Device Controller");
  ASSERT_NE(controller, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Text(controller, IDC_DEVICE_STATUS) == "Device connected"; }, milliseconds(15000)))
      << Text(controller, IDC_DEVICE_STATUS);
  SaveScreenshot(controller, BuildFile("e2e_device_controller.png"));

  ClickAsync(controller, IDC_DEVICE_EXIT_KIOSK);
  HWND login = FindDialog(builder_->Id(), "Device Admin Authentication");
  ASSERT_NE(login, nullptr);
  Type(login, IDC_LOGIN_CODE, "9999");
  ClickAsync(login, IDOK);
  ExpectBox("Invalid password. Please try again.");
  ASSERT_TRUE(WaitUntil([&] { return Text(login, IDC_LOGIN_CODE).empty(); }));
  Type(login, IDC_LOGIN_CODE, "1234");
  SaveScreenshot(login, BuildFile("e2e_login.png"));
  ClickAsync(login, IDOK);
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), "Device Admin Authentication"));
  EXPECT_TRUE(WaitUntil([&] { return EngineState().find("kiosk=left") != std::string::npos; }, milliseconds(30000)))
      << "the engine did not leave kiosk mode; state: " << EngineState();
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  ClickAsync(controller, IDOK);
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), "Device Controller"));
}
