#include <shlwapi.h>

#include <memory>
#include <string>

#include "tests/gui/build_fixture.h"
#include "tests/gui_driver/file_dialogs.h"

using namespace gui_driver;

namespace {

const std::vector<std::string> kOk = {"OK"};

void ExpectPlainBox(const MessageBoxInfo& box, const std::string& caption, const std::vector<std::string>& buttons) {
  EXPECT_EQ(box.caption, caption);
  EXPECT_EQ(box.icon, Icon::None);
  EXPECT_EQ(box.buttons, buttons);
}

void ExpectFrameworkBox(const MessageBoxInfo& box) {
  EXPECT_EQ(box.caption, "Brindlecove");
  EXPECT_EQ(box.icon, Icon::Exclamation);
  EXPECT_EQ(box.buttons, kOk);
}

}  // namespace

using Build = BuildTest;

TEST_F(Build, EmptyListIsRefusedFirstAndNothingIsSaved) {
  SetText(main_, IDC_COUNTDOWN, "-5");
  SetText(main_, IDC_LOGO, "Z:\\no\\such.bmp");
  ClickAsync(main_, IDC_BUILD);
  ExpectPlainBox(ExpectBox("Please specify one or more allowed applications"), "Brindlecove Builder", kOk);
  EXPECT_EQ(FindDialog(builder_->Id(), "Save Brindlecove Project", milliseconds(700)), nullptr);
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "-5");
  EXPECT_FALSE(FileExists(Dist("setup.inf")));
}

TEST_F(Build, NegativeCountdownIsSavedThenReportedAndReset) {
  AddApplication("Word", "\\windows\\pword.exe");
  SetText(main_, IDC_COUNTDOWN, "-5");
  PressBuild();
  ExpectFrameworkBox(ExpectBox("Countdown value can only be greater than or equal to 0"));
  WaitIdle();
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "10");
  EXPECT_NE(ReadFile(ScratchFile("kiosk.bcp")).find("\"-5\""), std::string::npos);
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_FALSE(FileExists(Dist("setup.inf")));
}

TEST_F(Build, FailedPullStillBuildsWithTheValuesPulledSoFar) {
  UseRecordingPackageScript();
  WriteFile(Dist("setup_tmpl.inf"), "Countdown=APPLICATION_COUNTDOWN\nSync=DISABLE_ACTIVESYNC_CONNECTION\n"
                                    "Delay=TARGET_APP_RESTART_DELAY\nTitle=KIOSK_DESKTOP_TITLE_TEXT\n"
                                    "Unlock=UNLOCK_ON_TAP_IN_KIOSKDESKTOP");
  AddApplication("Word", "\\windows\\pword.exe");
  // The pull takes the countdown and the flags, stops at the restart delay and
  // leaves the title and the tap-and-hold flag, which come later, as they were.
  SetText(main_, IDC_COUNTDOWN, "7");
  Click(main_, IDC_DISABLE_ACTIVESYNC);
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  SetText(main_, IDC_RESTART_DELAY, "soon");
  SetText(main_, IDC_KIOSK_TITLE, "Shop");
  Click(main_, IDC_UNLOCK_ON_TAP);
  PressBuild();
  ExpectBox("Please enter an integer.");
  ConfirmBuild();
  WaitBuildEnd();
  EXPECT_EQ(ReadFile(Report("setup.inf")),
            "Countdown=7\r\nSync=1\r\nDelay=0\r\nTitle=[Enter Desktop Title Text here]\r\nUnlock=0");
}

TEST_F(Build, UnreadableLogoIsReported) {
  AddApplication("Word", "\\windows\\pword.exe");
  SetText(main_, IDC_LOGO, ScratchFile("missing.bmp"));
  PressBuild();
  ExpectFrameworkBox(ExpectBox("Please enter valid path of a logo file"));
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_FALSE(FileExists(Dist("setup.inf")));
}

TEST_F(Build, YesToTheCodeQuestionStopsTheBuild) {
  AddApplication("Word", "\\windows\\pword.exe");
  PressBuild();
  const MessageBoxInfo box = WaitMessageBox(builder_->Id());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, kCodeQuestion);
  ExpectPlainBox(box, "Brindlecove", {"&Yes", "&No"});
  EXPECT_TRUE(SaveScreenshot(box.window, BuildFile("administrator_code_question.png")));
  Answer(box, IDYES);
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_FALSE(FileExists(Dist("setup.inf")));
}

TEST_F(Build, WithACodeTheInformationBoxComesNext) {
  UseRecordingPackageScript();
  AddApplication("Word", "\\windows\\pword.exe");
  for (int key : {IDC_KEY_0, IDC_KEY_4, IDC_KEY_7, IDC_KEY_2}) Click(main_, key);
  PressBuild();
  const MessageBoxInfo box = WaitMessageBox(builder_->Id());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, kInformationText);
  ExpectPlainBox(box, "Brindlecove Builder", kOk);
  EXPECT_TRUE(SaveScreenshot(box.window, BuildFile("build_information.png")));
  Answer(box, IDOK);
  WaitBuildEnd();
  EXPECT_EQ(ReadFile(Report("abce.pac")), "0472");
  EXPECT_FALSE(FileExists(Dist("abce.pac")));
}

TEST_F(Build, RunsTheScriptHiddenInTheBuildersFolderWithThePackageFiles) {
  UseRecordingPackageScript();
  WriteFile(Dist("setup_tmpl.inf"),
            "[Strings]\nPath=APPLICATION_PATH\nDelay=TARGET_APP_RESTART_DELAY\nButtons=DISABLE_HARDBUTTONS\n"
            "Language=LANGUAGE_TO_BE_USED\nLogo=SHOW_LOGO\nbce_logofile=2\nbce_logofile\n\n\n");
  WriteFile(Dist("bce_logofile"), "left from an earlier build");
  AddApplication("Word", "\\windows\\pword.exe", "", true, false);
  AddApplication("Notes", "\\windows\\notes.exe", "-x", false, true);
  SetText(main_, IDC_RESTART_DELAY, "-1");
  Click(main_, IDC_DISABLE_HARDWARE_BUTTONS);
  SelectComboRow(main_, IDC_LANGUAGE, 2);
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();

  EXPECT_EQ(ReadFile(Report("folder.txt")), DistFolder() + "\r\n");
  EXPECT_EQ(ReadFile(Report("window.txt")), std::to_string(STARTF_USESHOWWINDOW) + " " + std::to_string(SW_HIDE));
  EXPECT_EQ(ReadFile(Report("setup.inf")),
            "[Strings]\r\nPath=\\windows\\pword.exe\r\nDelay=65535\r\nButtons=9\r\nLanguage=brazilian\r\nLogo=0\r\n"
            "\r\n");
  EXPECT_EQ(ReadFile(Report("set.alf")), "1;0;Word;\\windows\\pword.exe;;0;1;Notes;\\windows\\notes.exe;-x;");
  EXPECT_TRUE(FileExists(Report("abce.pac")));
  EXPECT_EQ(ReadFile(Report("abce.pac")), "");
  EXPECT_FALSE(FileExists(Report("bce_logofile")));
  // Afterwards: the code file is gone, the others stay, the output folder opens.
  EXPECT_FALSE(FileExists(Dist("abce.pac")));
  EXPECT_TRUE(FileExists(Dist("set.alf")));
  EXPECT_FALSE(FileExists(Dist("bce_logofile")));
  EXPECT_NE(WaitFileBrowser(), nullptr) << "the output folder did not open";
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

TEST_F(Build, CopiesTheLogoAndKeepsItsEntries) {
  UseRecordingPackageScript();
  WriteFile(Dist("setup_tmpl.inf"), "bce_logofile=2\r\nShow=SHOW_LOGO\r\nFit=FIT_LOGO_TO_SCREEN");
  WriteFile(ScratchFile("logo.txt"), "not a bitmap at all");
  AddApplication("Word", "\\windows\\pword.exe");
  SetText(main_, IDC_LOGO, ScratchFile("logo.txt"));
  Click(main_, IDC_FIT_LOGO);
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();
  EXPECT_EQ(ReadFile(Report("setup.inf")), "bce_logofile=2\r\r\nShow=1\r\r\nFit=1");
  EXPECT_EQ(ReadFile(Report("bce_logofile")), "not a bitmap at all");
  EXPECT_EQ(ReadFile(Dist("bce_logofile")), "not a bitmap at all");
}

TEST_F(Build, MissingTemplateGivesAnEmptySetupFile) {
  UseRecordingPackageScript();
  DeleteFileA(Dist("setup_tmpl.inf").c_str());
  AddApplication("Word", "\\windows\\pword.exe");
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();
  EXPECT_TRUE(FileExists(Dist("setup_tmpl.inf")));
  EXPECT_TRUE(FileExists(Report("setup.inf")));
  EXPECT_EQ(ReadFile(Report("setup.inf")), "");
}

TEST_F(Build, TemplateThatCannotBeOpenedIsAnInternalError) {
  UseRecordingPackageScript();
  AddApplication("Word", "\\windows\\pword.exe");
  HANDLE locked = CreateFileA(Dist("setup_tmpl.inf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  PressBuild();
  ConfirmBuild();
  ExpectFrameworkBox(ExpectBox("Internal Error. (Code 31)"));
  CloseHandle(locked);
  WaitIdle();
  EXPECT_FALSE(FileExists(Dist("setup.inf")));
  EXPECT_FALSE(FileExists(Dist("abce.pac")));
  EXPECT_FALSE(FileExists(Report("folder.txt")));
}

TEST_F(Build, ScriptThatCannotStartLeavesTheCodeFile) {
  DeleteFileA(Dist("mksetup.bat").c_str());
  AddApplication("Word", "\\windows\\pword.exe");
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();
  EXPECT_TRUE(FileExists(Dist("setup.inf")));
  EXPECT_TRUE(FileExists(Dist("abce.pac")));
  const HWND window = WaitFileBrowser(milliseconds(3000));
  EXPECT_EQ(window, nullptr) << "the output folder opened, or another window came: " << Text(window);
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

TEST_F(Build, AScriptThatEndsWithAnErrorStillOpensTheOutputFolder) {
  WriteFile(Dist("mksetup.bat"), "@echo off\r\nexit /b 3\r\n");
  AddApplication("Word", "\\windows\\pword.exe");
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();
  EXPECT_FALSE(FileExists(Dist("abce.pac")));
  EXPECT_NE(WaitFileBrowser(), nullptr) << "the output folder did not open";
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

// Files are named relative to the builder's folder: a folder of 243
// characters, the deepest that still holds "\Brindlecove.exe" in the module
// path's 260 bytes, builds, and its help page path of 259 characters opens.
TEST_F(Build, ABuildersFolderOf243CharactersBuilds) {
  const std::string parent = BuildFile("deep");
  CreateDirectoryA(parent.c_str(), nullptr);
  const std::string folder = parent + "\\" + std::string(243 - parent.size() - 1, 'd');
  ASSERT_EQ(folder.size(), 243u);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) << folder;
  CreateDirectoryA((folder + "\\output").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(Dist("Brindlecove.exe").c_str(), (folder + "\\Brindlecove.exe").c_str(), FALSE));
  WriteFile(folder + "\\setup_tmpl.inf", "Path=APPLICATION_PATH");
  UseRecordingPackageScript(folder);
  builder_ = std::make_unique<Process>(folder + "\\Brindlecove.exe", "", folder);
  main_ = FindMainWindow(builder_->Id());
  ASSERT_NE(main_, nullptr);
  AddApplication("Word", "\\windows\\pword.exe");
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();
  EXPECT_EQ(ReadFile(Report("folder.txt")), folder + "\r\n");
  EXPECT_EQ(ReadFile(folder + "\\setup.inf"), "Path=\\windows\\pword.exe");
  EXPECT_EQ(ReadFile(folder + "\\set.alf"), "0;0;Word;\\windows\\pword.exe;;");
  EXPECT_FALSE(FileExists(folder + "\\abce.pac"));
  EXPECT_NE(WaitFileBrowser(), nullptr) << "the output folder did not open";
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

TEST_F(Build, RealScriptMakesTheCabinet) {
  if (!DeviceFilesBuilt()) GTEST_SKIP() << "device files missing";
  const std::string cabinets[] = {Dist("output\\Brindlecove.PPC_ARM.CAB"), Dist("output\\Brindlecove.PPC_X86.CAB")};
  for (const std::string& cabinet : cabinets) DeleteFileA(cabinet.c_str());
  BuildOneApplication();
  for (const std::string& cabinet : cabinets) {
    EXPECT_TRUE(FileExists(cabinet)) << cabinet;
    EXPECT_EQ(ReadFile(cabinet).substr(0, 4), "MSCF") << cabinet;
  }
  EXPECT_FALSE(FileExists(Dist("abce.pac")));
  HWND browser = WaitFileBrowser();
  ASSERT_NE(browser, nullptr) << "the output folder did not open";
  SaveScreenshot(browser, BuildFile("output_folder.png"));
}

// The typed texts with every character that a setup information file would
// otherwise treat specially. The cabinet is kept for the checks by an
// independent cabinet reader and by the device's installer.
TEST_F(Build, RealScriptCarriesTypedTextsByteForByte) {
  if (!DeviceFilesBuilt()) GTEST_SKIP() << "device files missing";
  const std::string title = ReadFile(WindowsPath(BC_TYPED_TITLE));
  ASSERT_EQ(title.back(), '\xE9');
  // The emulated device's package, which the installer's test installs.
  const std::string cabinet = Dist("output\\Brindlecove.PPC_X86.CAB");
  DeleteFileA(cabinet.c_str());
  DeleteFileA(BuildFile("typed_text.CAB").c_str());
  AddApplication("Scan; \"Ship\" \xE9", "\\Program Files\\Scan, Pack\\scan.exe", "-profile \"night shift\" 50%;x=1",
                 true);
  SetText(main_, IDC_KIOSK_TITLE, title);
  Click(main_, IDC_KEY_1);
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();
  EXPECT_EQ(Text(main_, IDC_KIOSK_TITLE), title);
  ASSERT_TRUE(FileExists(cabinet));
  EXPECT_FALSE(FileExists(Dist("output\\package-failed.txt")));
  EXPECT_TRUE(CopyFileA(cabinet.c_str(), BuildFile("typed_text.CAB").c_str(), FALSE));
}

// A package tool run that fails after a good build: output\ then holds the
// report and no package, so that Install cannot send the old one.
TEST_F(Build, FailedPackageRunLeavesNoPackageButItsReport) {
  if (!DeviceFilesBuilt()) GTEST_SKIP() << "device files missing";
  const std::string cabinets[] = {Dist("output\\Brindlecove.PPC_ARM.CAB"), Dist("output\\Brindlecove.PPC_X86.CAB")};
  BuildOneApplication();
  for (const std::string& cabinet : cabinets) ASSERT_TRUE(FileExists(cabinet)) << cabinet;
  CloseFileBrowsers();

  WriteFile(Dist("setup_tmpl.inf"), ReadFile(Dist("setup_tmpl.inf")) + "\r\n[Reg.Configuration]\r\n"
                                    "HKLM, Software\\Brindlecove, Broken, 0x00010001, none\r\n");
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();
  for (const std::string& cabinet : cabinets) EXPECT_FALSE(FileExists(cabinet)) << cabinet;
  const std::string report = ReadFile(Dist("output\\package-failed.txt"));
  EXPECT_EQ(report.rfind("The package could not be made. The package tool reported:\r\n", 0), 0u) << report;
  EXPECT_NE(report.find("error: bad registry line: \"none\" is not a DWORD number"), std::string::npos) << report;
  EXPECT_NE(WaitFileBrowser(), nullptr) << "the output folder did not open";
  EXPECT_TRUE(NoMessageBox(builder_->Id()));

  ClickAsync(main_, IDC_INSTALL);
  const MessageBoxInfo box = WaitMessageBox(0);
  ASSERT_NE(box.window, nullptr) << "Install said nothing";
  EXPECT_EQ(box.text, "There is no package in the output folder. Build the project first.");
  Answer(box, IDOK);
  WaitIdle();
}

// A certificate in the builder's signing folder that cannot sign stops the
// build with its reason in a message box, and leaves no package.
TEST_F(Build, SigningCertificateThatCannotSignIsReported) {
  if (!DeviceFilesBuilt()) GTEST_SKIP() << "device files missing";
  struct SigningFolder {
    SigningFolder() {
      CreateDirectoryA(Dist("signing").c_str(), nullptr);
      WriteFile(Dist("signing\\package.pfx"), "not a certificate");
    }
    ~SigningFolder() {
      DeleteFileA(Dist("signing\\package.pfx").c_str());
      RemoveDirectoryA(Dist("signing").c_str());
    }
  } signing;
  AddApplication("Word", "\\windows\\pword.exe", "", true);
  Click(main_, IDC_KEY_1);
  PressBuild();
  ConfirmBuild();
  const MessageBoxInfo box = WaitMessageBox(0);
  ASSERT_NE(box.window, nullptr) << "Build said nothing";
  EXPECT_EQ(box.text, "The package was not made, since it could not be signed:\n"
                      "signing\\package.pfx: error: the file is not a PKCS #12 (.pfx) certificate file\n\n"
                      "See \"Signed packages\" in Help.");
  Answer(box, IDOK);
  WaitBuildEnd();
  EXPECT_FALSE(FileExists(Dist("output\\Brindlecove.PPC_X86.CAB")));
}

using PackageCommands = BuildTest;

TEST_F(PackageCommands, InstallRunsItsScriptShownInTheBuildersFolder) {
  WriteFile(Dist("installsetup.bat"), "@echo off\r\ncd >\"" + Report("install_folder.txt") + "\"\r\n\"" +
                                          WindowsPath(BC_SCRIPT_PROBE) + "\" \"" + Report("install_window.txt") +
                                          "\"\r\n");
  Click(main_, IDC_INSTALL);
  WaitIdle();
  EXPECT_EQ(ReadFile(Report("install_folder.txt")), DistFolder() + "\r\n");
  EXPECT_EQ(ReadFile(Report("install_window.txt")),
            std::to_string(STARTF_USESHOWWINDOW) + " " + std::to_string(SW_SHOW));
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

TEST_F(PackageCommands, InstallWithNoPackageTellsTheUserAndWithNoScriptReturnsQuietly) {
  DeleteFileA(Dist("output\\Brindlecove.PPC_ARM.CAB").c_str());
  DeleteFileA(Dist("output\\Brindlecove.PPC_X86.CAB").c_str());
  ClickAsync(main_, IDC_INSTALL);  // the shipped script and its sender
  const MessageBoxInfo box = WaitMessageBox(0);
  ASSERT_NE(box.window, nullptr) << "the sender said nothing";
  EXPECT_EQ(box.caption, "Brindlecove Install");
  EXPECT_EQ(box.text, "There is no package in the output folder. Build the project first.");
  Answer(box, IDOK);
  WaitIdle();
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  DeleteFileA(Dist("installsetup.bat").c_str());
  Click(main_, IDC_INSTALL);
  WaitIdle();
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(PackageCommands, OpenPackagesShowsTheOutputFolder) {
  ClickAsync(main_, IDC_OPEN_PACKAGES);
  HWND browser = WaitFileBrowser();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(Text(browser), "output");
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

TEST_F(PackageCommands, OpenPackagesWithoutAnOutputFolderDoesNothingVisible) {
  // Put back however the test ends.
  struct MovedAway {
    std::string from, to;
    ~MovedAway() { MoveFileA(to.c_str(), from.c_str()); }
  } output{Dist("output"), Dist("output.away")};
  ASSERT_TRUE(MoveFileA(output.from.c_str(), output.to.c_str()));
  Click(main_, IDC_OPEN_PACKAGES);
  WaitIdle();
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_EQ(WaitFileBrowser(milliseconds(3000)), nullptr) << "a window opened";
  EXPECT_TRUE(IsWindowEnabled(main_));
}

// The shell is asked to open docs\index.html of the builder's folder: a
// handler of .html pages that records what it was given stands in for the browser.
TEST_F(PackageCommands, HelpAsksTheShellToOpenTheHelpPage) {
  const std::string report = Report("help.txt");
  const std::string command = "cmd.exe /c echo %1>\"" + report + "\"";
  char previous[256] = {};
  LONG previousSize = sizeof previous;
  const bool hadClass = RegQueryValueA(HKEY_CLASSES_ROOT, ".html", previous, &previousSize) == ERROR_SUCCESS;
  struct Restore {
    bool hadClass;
    const char* previous;
    ~Restore() {
      if (hadClass) RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, previous, 0);
      SHDeleteKeyA(HKEY_CLASSES_ROOT, "BrindlecoveHelpProbe");
    }
  } restore{hadClass, previous};
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, "BrindlecoveHelpProbe", 0), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "BrindlecoveHelpProbe\\shell\\open\\command", REG_SZ, command.c_str(), 0),
            ERROR_SUCCESS);
  Click(main_, IDC_HELP_BUTTON);
  ASSERT_TRUE(WaitUntil([&] { return ReadFile(report).find('\n') != std::string::npos; }, milliseconds(30000)));
  std::string opened = ReadFile(report);
  opened.erase(opened.find_last_not_of("\r\n \"") + 1);
  if (!opened.empty() && opened.front() == '"') opened = opened.substr(1);
  EXPECT_EQ(opened, DistFolder() + "\\docs\\index.html");
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

// The help pages show the windows as these tests leave them on screen.
TEST_F(PackageCommands, DeviceControllerOpensForTheHelpPicture) {
  HWND controller = OpenDialog(IDC_DEVICE_CONTROL, "Device Controller");
  ASSERT_NE(controller, nullptr);
  EXPECT_TRUE(SaveScreenshot(controller, BuildFile("device_controller.png")));
  ClickAsync(controller, IDOK);
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), "Device Controller"));
}
