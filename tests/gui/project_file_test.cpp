#include <string>
#include <vector>

#include "tests/gui/project_file_fixture.h"
#include "tests/gui_driver/file_dialogs.h"

using namespace gui_driver;

namespace {

constexpr int kTextControls[] = {IDC_PROJECT_NAME,  IDC_ADMIN_CODE, IDC_COUNTDOWN,
                                 IDC_RESTART_DELAY, IDC_LOGO,       IDC_KIOSK_TITLE};
constexpr int kCheckBoxes[] = {IDC_ENABLE_KIOSK_DESKTOP,
                               IDC_SHOW_SIP_ICON,
                               IDC_ENABLE_TASKBAR,
                               IDC_DISABLE_ACTIVESYNC,
                               IDC_DISABLE_HARDWARE_BUTTONS,
                               IDC_SHOW_TASKBAR,
                               IDC_SHOW_VERSION,
                               IDC_DISABLE_CONTINUE,
                               IDC_FIT_LOGO,
                               IDC_UNLOCK_ON_TAP};

// Everything the window shows of the settings, in one comparable list.
std::vector<std::string> ShownSettings(HWND main) {
  std::vector<std::string> shown;
  for (int id : kTextControls) shown.push_back(std::to_string(id) + "=" + Text(main, id));
  for (int id : kCheckBoxes) shown.push_back(std::to_string(id) + (IsChecked(main, id) ? " on" : " off"));
  shown.push_back("language=" + ComboText(main, IDC_LANGUAGE));
  return shown;
}

std::string Project(const std::string& children,
                    const std::string& root = "project name=\"Tol\" type=\"brindlecove\"") {
  const std::string rootName = root.substr(0, root.find(' '));
  return "<" + root + ">" + children + "</" + rootName + ">";
}

}  // namespace

using ProjectFiles = ProjectFileTest;

TEST_F(ProjectFiles, RoundTripKeepsSettingsListAndName) {
  const std::string longPath = "\\" + std::string(255, 'p');
  const std::string longParams(256, 'q');
  AddApplication("Pocket Word", "\\windows\\pword.exe", "", true, false);
  AddApplication("Caf\xE9 Men\xFC", "\\Program Files\\Caf\xE9\\menu.exe", "-k \xE9t\xE9", false, true);
  AddApplication("Long", longPath, longParams, true, true);
  SetText(main_, IDC_COUNTDOWN, "0");
  SetText(main_, IDC_RESTART_DELAY, "-1");
  SetText(main_, IDC_LOGO, "C:\\Logos\\B\xE4ren.bmp");
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  Focus(main_, IDC_KIOSK_TITLE);
  SetText(main_, IDC_KIOSK_TITLE,
          "Willkommen im Gesch\xE4"
          "ft");
  for (int id : {IDC_ENABLE_TASKBAR, IDC_UNLOCK_ON_TAP, IDC_DISABLE_ACTIVESYNC, IDC_FIT_LOGO, IDC_DISABLE_CONTINUE,
                 IDC_SHOW_VERSION}) {
    Click(main_, id);
  }
  for (int key : {IDC_KEY_0, IDC_KEY_7, IDC_KEY_3}) Click(main_, key);
  SelectComboRow(main_, IDC_LANGUAGE, 2);

  SaveAs(ScratchFile("kiosk"));
  ASSERT_TRUE(FileExists(ScratchFile("kiosk.bcp")));
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "kiosk");
  const auto settings = ShownSettings(main_);
  const auto rows = ListRows(main_, IDC_APP_LIST);
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[2].path, longPath);
  EXPECT_EQ(entries[2].params, longParams);

  Click(main_, IDC_NEW_PROJECT);
  SelectComboRow(main_, IDC_LANGUAGE, 0);
  ASSERT_NE(ShownSettings(main_), settings);
  Load(ScratchFile("kiosk.bcp"));
  EXPECT_EQ(ShownSettings(main_), settings);
  EXPECT_EQ(ListRows(main_, IDC_APP_LIST), rows);
  EXPECT_EQ(Entries(), entries);
  for (int id : {IDC_KIOSK_TITLE, IDC_ENABLE_TASKBAR, IDC_UNLOCK_ON_TAP}) EXPECT_TRUE(IsEnabled(main_, id)) << id;
  EXPECT_FALSE(FileExists(ScratchFile("kiosk.bcp.saving")));
}

TEST_F(ProjectFiles, HiddenCheckBoxesSurviveLoadSaveLoad) {
  const std::string path = ScratchFile("hidden.bcp");
  WriteFile(path, Project("<showsipiconinkioskdesktop value=\"1\"/><showtaskbar value=\"1\"/>"
                          "<startuptimer value=\"0\"/><restartdelay value=\"-1\"/>"));
  Load(path);
  ASSERT_TRUE(IsChecked(main_, IDC_SHOW_SIP_ICON));
  ASSERT_TRUE(IsChecked(main_, IDC_SHOW_TASKBAR));
  ClickAsync(main_, IDC_SAVE_PROJECT);
  EXPECT_EQ(FindDialog(builder_->Id(), "Save Brindlecove Project", milliseconds(1500)), nullptr);
  WaitIdle();
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "hidden");
  Click(main_, IDC_NEW_PROJECT);
  EXPECT_FALSE(IsChecked(main_, IDC_SHOW_TASKBAR));
  Load(path);
  EXPECT_TRUE(IsChecked(main_, IDC_SHOW_SIP_ICON));
  EXPECT_TRUE(IsChecked(main_, IDC_SHOW_TASKBAR));
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "0");
  EXPECT_EQ(Text(main_, IDC_RESTART_DELAY), "-1");
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "hidden");
}

TEST_F(ProjectFiles, SaveNamesTheFileAndTheProject) {
  CreateDirectoryA(ScratchFile("my.work").c_str(), nullptr);
  const struct {
    const char* typed;
    const char* file;
    const char* name;
  } cases[] = {
      {"kiosk", "kiosk.bcp", "kiosk"},
      {"KIOSK.BCP", "KIOSK.BCP", "KIOSK"},
      {"shopbcp", "shopbcp", "shopbcp"},
      {"my.work\\shopbcp", "my.work\\shopbcp", ""},
      {"report.txt", "report.txt.bcp", "report.txt"},
  };
  for (const auto& c : cases) {
    Click(main_, IDC_NEW_PROJECT);
    SaveAs(ScratchFile(c.typed));
    EXPECT_TRUE(FileExists(ScratchFile(c.file))) << c.typed;
    EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), c.name) << c.typed;
  }
  EXPECT_FALSE(FileExists(ScratchFile("report.txt")));
}

TEST_F(ProjectFiles, CancelledSaveChangesNothingAndAsksAgain) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    ClickAsync(main_, IDC_SAVE_PROJECT);
    ASSERT_TRUE(CancelFileDialog(builder_->Id(), "Save Brindlecove Project")) << attempt;
    WaitIdle();
    EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "Untitled");
  }
}

TEST_F(ProjectFiles, SavingOverAFileReplacesItWithoutAQuestion) {
  const std::string path = ScratchFile("existing.bcp");
  WriteFile(path, "old content");
  SaveAs(path);
  EXPECT_NE(ReadFile(path).find("brindlecove"), std::string::npos);
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

TEST_F(ProjectFiles, AFailedSaveLeavesTheOldFile) {
  const std::string path = ScratchFile("keep.bcp");
  WriteFile(path, Project("<startuptimer value=\"5\"/>"));
  const std::string before = ReadFile(path);
  Load(path);
  // The save goes through a file beside the target; a folder in its place makes it fail.
  ASSERT_TRUE(CreateDirectoryA((path + ".saving").c_str(), nullptr));
  SetText(main_, IDC_COUNTDOWN, "6");
  Save();
  EXPECT_EQ(ReadFile(path), before);
  RemoveDirectoryA((path + ".saving").c_str());
  Save();
  EXPECT_NE(ReadFile(path), before);
  Click(main_, IDC_NEW_PROJECT);
  Load(path);
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "6");
}

TEST_F(ProjectFiles, ReaderToleratesCaseCommentsUnknownsAndDuplicates) {
  const std::string path = ScratchFile("tolerant.bcp");
  WriteFile(
      path,
      Project("<!-- a comment --><unknown value=\"3\"/>text<StartupTimer value=\" 25s\"/>"
              "<showversion value=\"0\"/><SHOWVERSION value=\"1\"/><restartdelay value=\"word\"/>"
              "<OtherApplication path=\"\\a.exe\"/><otherapplication path=\"\\A.EXE\" display_name=\"dup\"/>"
              "<otherapplication path=\"\\b.exe\" display_name=\"B\" params=\"-x\" autolaunch=\"0\" "
              "hideinkioskdesktop=\"1\"/><language value=\"spanish\"/><nested><startuptimer value=\"99\"/></nested>",
              "PROJECT name=\"Tol\" type=\"BRINDLECOVE\""));
  Load(path);
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "Tol");
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "25");
  EXPECT_EQ(Text(main_, IDC_RESTART_DELAY), "0");
  EXPECT_TRUE(IsChecked(main_, IDC_SHOW_VERSION));
  EXPECT_EQ(ComboText(main_, IDC_LANGUAGE), "Spanish");
  // The entry dialog shows its placeholder for the empty label.
  EXPECT_EQ(Entries(), (std::vector<Entry>{{"[Enter Application Name here]", "\\a.exe", "", true, false},
                                           {"B", "\\b.exe", "-x", false, true}}));
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

TEST_F(ProjectFiles, MissingElementsKeepNewProjectValues) {
  SetText(main_, IDC_COUNTDOWN, "3");
  Click(main_, IDC_SHOW_VERSION);
  SelectComboRow(main_, IDC_LANGUAGE, 2);
  const std::string path = ScratchFile("bare.bcp");
  WriteFile(path, Project("<admincode value=\"0042\"/>"));
  Load(path);
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "10");
  EXPECT_TRUE(IsChecked(main_, IDC_SHOW_VERSION));
  EXPECT_EQ(Text(main_, IDC_ADMIN_CODE), "0042");
  // No language element and none loaded before: the first entry.
  EXPECT_EQ(ComboText(main_, IDC_LANGUAGE), "English");
  WriteFile(path, Project("<language value=\"German\"/>"));
  Load(path);
  EXPECT_EQ(ComboText(main_, IDC_LANGUAGE), "English");
  Save();
  Click(main_, IDC_NEW_PROJECT);
  WriteFile(ScratchFile("spanish.bcp"), Project("<language value=\"SPANISH\"/>"));
  Load(ScratchFile("spanish.bcp"));
  EXPECT_EQ(ComboText(main_, IDC_LANGUAGE), "Spanish");
  Load(path);  // Saved with the combo box's English.
  EXPECT_EQ(ComboText(main_, IDC_LANGUAGE), "English");
}

TEST_F(ProjectFiles, AFileWithoutLanguageKeepsTheLanguageLoadedBefore) {
  WriteFile(ScratchFile("spanish.bcp"), Project("<language value=\"Spanish\"/>"));
  WriteFile(ScratchFile("plain.bcp"), Project("<startuptimer value=\"5\"/>"));
  Load(ScratchFile("spanish.bcp"));
  ASSERT_EQ(ComboText(main_, IDC_LANGUAGE), "Spanish");
  SelectComboRow(main_, IDC_LANGUAGE, 2);  // chosen by hand, and lost by the next load
  Load(ScratchFile("plain.bcp"));
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "5");
  EXPECT_EQ(ComboText(main_, IDC_LANGUAGE), "Spanish");
}

TEST_F(ProjectFiles, AFlagOfSevenShowsUncheckedAndIsSavedAsZero) {
  const std::string path = ScratchFile("seven.bcp");
  WriteFile(path, Project("<disablecontinuebutton value=\"7\"/><showtaskbar value=\"7\"/>"));
  Load(path);
  EXPECT_FALSE(IsChecked(main_, IDC_DISABLE_CONTINUE));
  EXPECT_FALSE(IsChecked(main_, IDC_SHOW_TASKBAR));
  Save();
  const std::string saved = ReadFile(path);
  EXPECT_NE(saved.find("<disablecontinuebutton value=\"0\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("<showtaskbar value=\"0\""), std::string::npos) << saved;
}

// Texts longer than the entry dialog takes can only come from a file; OK
// names the field's limit and keeps the dialog open.
TEST_F(ProjectFiles, LoadedTextsOverTheEntryDialogsLimitsAreRefusedOnOk) {
  const std::string path = ScratchFile("long.bcp");
  std::string applications = "<otherapplication display_name=\"";
  applications.append(65, 'L').append("\" path=\"\\a.exe\"/><otherapplication display_name=\"B\" path=\"\\");
  applications.append(256, 'p').append("\"/><otherapplication display_name=\"C\" path=\"\\c.exe\" params=\"");
  applications.append(257, 'q').append("\"/>");
  WriteFile(path, Project(applications));
  Load(path);
  ASSERT_EQ(ListRows(main_, IDC_APP_LIST).size(), 3u);
  const char* messages[] = {"Please enter no more than 64 characters.", "Please enter no more than 256 characters.",
                            "Please enter no more than 256 characters."};
  for (int row = 0; row < 3; ++row) {
    SelectListRow(main_, IDC_APP_LIST, row);
    HWND entry = OpenDialog(IDC_MODIFY, "Application Information");
    ASSERT_NE(entry, nullptr);
    ClickAsync(entry, IDOK);
    const MessageBoxInfo box = ExpectBox(messages[row]);
    EXPECT_EQ(box.icon, Icon::Exclamation) << row;
    EXPECT_EQ(FindDialog(builder_->Id(), "Application Information", milliseconds(1000)), entry) << row;
    ClickAsync(entry, IDCANCEL);
    ASSERT_TRUE(WaitDialogGone(builder_->Id(), "Application Information"));
  }
}

TEST_F(ProjectFiles, RejectedFilesLeaveAnUntitledProjectAndAreNotOverwritten) {
  const std::string cases[] = {
      Project("<startuptimer value=\"3\"/>", "projects name=\"X\" type=\"brindlecove\""),
      Project("<startuptimer value=\"3\"/>", "project name=\"X\" type=\"otherkiosk\""),
      Project("<startuptimer value=\"3\"/>", "project type=\"brindlecove\""),
  };
  for (const auto& content : cases) {
    const std::string path = ScratchFile("rejected.bcp");
    WriteFile(path, content);
    AddApplication("App", "\\app.exe");
    Load(path);
    EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "Untitled") << content;
    EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "10") << content;
    EXPECT_TRUE(ListRows(main_, IDC_APP_LIST).empty()) << content;
    EXPECT_TRUE(NoMessageBox(builder_->Id())) << content;
    ClickAsync(main_, IDC_SAVE_PROJECT);
    EXPECT_TRUE(CancelFileDialog(builder_->Id(), "Save Brindlecove Project")) << content;
    WaitIdle();
    EXPECT_EQ(ReadFile(path), content);
  }
}

TEST_F(ProjectFiles, ARootWithoutChildrenGivesOnlyTheName) {
  const std::string path = ScratchFile("empty.bcp");
  WriteFile(path, "<project name=\"Only\" type=\"brindlecove\"/>");
  SetText(main_, IDC_COUNTDOWN, "4");
  Load(path);
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "10");
  // The name is read but not shown until the window is next pushed.
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "Untitled");
}

TEST_F(ProjectFiles, TypedNameOfAMissingFileIsCreatedByTheNextSave) {
  const std::string path = ScratchFile("fresh.bcp");
  DeleteFileA(path.c_str());
  Load(path);
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "Untitled");
  EXPECT_FALSE(FileExists(path));
  ClickAsync(main_, IDC_SAVE_PROJECT);
  EXPECT_EQ(FindDialog(builder_->Id(), "Save Brindlecove Project", milliseconds(1500)), nullptr);
  WaitIdle();
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "fresh");
}

TEST_F(ProjectFiles, NonXmlFileReportsOneLineOnTheStandardOutput) {
  const std::string output = ScratchFile("stdout.txt");
  builder_ = StartBuilder(output);
  main_ = FindMainWindow(builder_->Id());
  ASSERT_NE(main_, nullptr);
  const std::string path = ScratchFile("notes.bcp");
  WriteFile(path, "shopping list\r\n<eggs>\r\n");
  Load(path);
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "Untitled");
  const std::string report = ReadFile(output);
  const std::string head = path + " : Error on line ";
  EXPECT_EQ(report.substr(0, head.size()), head) << report;
  EXPECT_NE(report.find(". Found "), std::string::npos) << report;
  EXPECT_NE(report.find(" while expecting "), std::string::npos) << report;
  ASSERT_GE(report.size(), 2u);
  EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
  EXPECT_EQ(report.find('\n'), report.size() - 1) << "one line only";
  ClickAsync(main_, IDC_SAVE_PROJECT);
  EXPECT_TRUE(CancelFileDialog(builder_->Id(), "Save Brindlecove Project"));
  EXPECT_EQ(ReadFile(path), "shopping list\r\n<eggs>\r\n");
}

TEST_F(ProjectFiles, HostileFilesDoNotCrashTheReader) {
  std::string many;
  for (int i = 0; i < 3000; ++i) many += "<otherapplication path=\"\\app" + std::to_string(i) + ".exe\"/>";
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<char>((i * 7919 + 13) % 256));
  std::string nested;
  for (int i = 0; i < 5000; ++i) nested += "<a>";
  const std::pair<std::string, std::string> files[] = {
      {"deep.bcp", Project(nested + "<startuptimer value=\"1\"/>")},
      {"junk.bcp", junk},
      {"brackets.bcp", std::string(20000, '<')},
      {"many.bcp", Project(many)},
      {"huge.bcp", Project("<logo path=\"" + std::string(4 << 20, 'L') + "\"/>")},
  };
  for (const auto& [name, content] : files) {
    WriteFile(ScratchFile(name), content);
    Load(ScratchFile(name));
    ASSERT_TRUE(builder_->Running()) << name;
    EXPECT_TRUE(NoMessageBox(builder_->Id())) << name;
    if (name == "many.bcp") {
      EXPECT_EQ(SendMessageA(Control(main_, IDC_APP_LIST), LB_GETCOUNT, 0, 0), 3000);
    }
  }
  EXPECT_EQ(SendMessageA(Control(main_, IDC_LOGO), WM_GETTEXTLENGTH, 0, 0), 4 << 20);
}

TEST_F(ProjectFiles, BrowseLogoSetsThePathAndCancelKeepsIt) {
  SetText(main_, IDC_LOGO, "C:\\old.bmp");
  ClickAsync(main_, IDC_BROWSE_LOGO);
  ASSERT_TRUE(CancelFileDialog(builder_->Id(), "Select Logo File"));
  WaitIdle();
  EXPECT_EQ(Text(main_, IDC_LOGO), "C:\\old.bmp");
  const std::string logo = ScratchFile("logo.bmp");
  WriteFile(logo, "BM");
  ClickAsync(main_, IDC_BROWSE_LOGO);
  ASSERT_TRUE(ChooseFile(builder_->Id(), "Select Logo File", logo));
  WaitIdle();
  EXPECT_EQ(Text(main_, IDC_LOGO), logo);
}

// Saves the project whose tree the xmllint check compares (project_files\tree.bcp).
TEST_F(ProjectFiles, SavesTheTreeForTheIndependentParser) {
  AddApplication("Pocket Word", "\\windows\\pword.exe", "", true, false);
  AddApplication("Caf\xE9", "\\caf\xE9.exe", "-a \"b\" <c> & d", false, true);
  SetText(main_, IDC_RESTART_DELAY, "-1");
  SetText(main_, IDC_COUNTDOWN, "0");
  const std::string path = BuildFile("project_files\\tree.bcp");
  DeleteFileA(path.c_str());
  SaveAs(path);
  EXPECT_TRUE(FileExists(path));
}
