#include "tests/gui/builder_fixture.h"

using namespace gui_driver;

class ApplicationListWindow : public BuilderTest {
 protected:
  void AddThree() {
    for (const char* path : {"P", "Q", "R"}) AddApplication(std::string("label ") + path, path);
  }
  std::vector<std::string> Rows() { return ListRows(main_, IDC_APP_LIST); }
  using Rows_t = std::vector<std::string>;
};

TEST_F(ApplicationListWindow, AddShowsPathsAndDropsCaseInsensitiveDuplicates) {
  AddApplication("Word", "\\Windows\\PWord.exe");
  EXPECT_EQ(Rows(), Rows_t{"\\Windows\\PWord.exe"});  // the hint lines are gone
  AddApplication("Other label", "\\WINDOWS\\pword.EXE");
  AddApplication("Notes", "\\windows\\notes.exe");
  EXPECT_EQ(Rows(), (Rows_t{"\\Windows\\PWord.exe", "\\windows\\notes.exe"}));
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

TEST_F(ApplicationListWindow, OkAtOnceAddsThePlaceholders) {
  HWND entry = OpenDialog(IDC_ADD, "Application Information");
  EXPECT_EQ(Text(entry, IDC_APP_LABEL), "[Enter Application Name here]");
  EXPECT_EQ(Text(entry, IDC_APP_PATH), "[Enter Application Path here]");
  EXPECT_EQ(Text(entry, IDC_APP_PARAMS), "");
  EXPECT_TRUE(WaitFocus(entry, IDC_APP_LABEL));
  EXPECT_TRUE(SaveScreenshot(entry, BuildFile("application_information.png")));
  ClickAsync(entry, IDOK);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), "Application Information"));
  EXPECT_EQ(Rows(), Rows_t{"[Enter Application Path here]"});
}

TEST_F(ApplicationListWindow, EmptyLabelOrPathIsRefusedWithItsMessage) {
  HWND entry = OpenDialog(IDC_ADD, "Application Information");
  SetText(entry, IDC_APP_LABEL, "");
  ClickAsync(entry, IDOK);
  MessageBoxInfo box = ExpectBox("Please enter name of application like Pocket Word, Internet Explorer etc.");
  EXPECT_EQ(box.caption, "Brindlecove");
  EXPECT_EQ(box.icon, Icon::Exclamation);
  EXPECT_TRUE(WaitFocus(entry, IDC_APP_LABEL));
  SetText(entry, IDC_APP_LABEL, "Word");
  SetText(entry, IDC_APP_PATH, "");
  ClickAsync(entry, IDOK);
  ExpectBox("Please enter path of the target application on the device");
  EXPECT_TRUE(WaitFocus(entry, IDC_APP_PATH));
  ClickAsync(entry, IDCANCEL);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), "Application Information"));
  EXPECT_EQ(Rows().size(), 2u);  // still the hint lines: nothing was added
}

TEST_F(ApplicationListWindow, FieldsStopTypingAtTheirLimits) {
  HWND entry = OpenDialog(IDC_ADD, "Application Information");
  SetText(entry, IDC_APP_LABEL, "");
  SetText(entry, IDC_APP_PATH, "");
  Type(entry, IDC_APP_LABEL, std::string(70, 'L'));
  Type(entry, IDC_APP_PATH, std::string(300, 'P'));
  Type(entry, IDC_APP_PARAMS, std::string(300, 'A'));
  EXPECT_EQ(Text(entry, IDC_APP_LABEL).size(), 64u);
  EXPECT_EQ(Text(entry, IDC_APP_PATH).size(), 256u);
  EXPECT_EQ(Text(entry, IDC_APP_PARAMS).size(), 256u);
  ClickAsync(entry, IDOK);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), "Application Information"));
  EXPECT_EQ(Rows(), Rows_t{std::string(256, 'P')});
}

TEST_F(ApplicationListWindow, ModifyShowsTheEntryAndCancelKeepsIt) {
  AddApplication("Word", "\\windows\\pword.exe", "-x", true, true);
  SelectListRow(main_, IDC_APP_LIST, 0);
  HWND entry = OpenDialog(IDC_MODIFY, "Application Information");
  EXPECT_EQ(Text(entry, IDC_APP_LABEL), "Word");
  EXPECT_EQ(Text(entry, IDC_APP_PATH), "\\windows\\pword.exe");
  EXPECT_EQ(Text(entry, IDC_APP_PARAMS), "-x");
  EXPECT_TRUE(IsChecked(entry, IDC_APP_AUTOLAUNCH));
  EXPECT_TRUE(IsChecked(entry, IDC_APP_HIDE));
  SetText(entry, IDC_APP_PATH, "\\changed.exe");
  ClickAsync(entry, IDCANCEL);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), "Application Information"));
  EXPECT_EQ(Rows(), Rows_t{"\\windows\\pword.exe"});
  EXPECT_EQ(ListSelection(main_, IDC_APP_LIST), -1);  // the refresh dropped the selection
}

TEST_F(ApplicationListWindow, EscapeAndTheCloseBoxCancelTheEntryDialog) {
  AddApplication("Word", "\\windows\\pword.exe");
  for (const int button : {IDC_ADD, IDC_MODIFY}) {
    for (const bool escape : {true, false}) {
      SelectListRow(main_, IDC_APP_LIST, 0);
      HWND entry = OpenDialog(button, "Application Information");
      ASSERT_NE(entry, nullptr);
      SetText(entry, IDC_APP_PATH, "\\other.exe");
      if (escape) {
        ASSERT_TRUE(WaitFocus(entry, IDC_APP_LABEL));
        PressKey(entry, VK_ESCAPE);
      } else {
        CloseBox(entry);
      }
      ASSERT_TRUE(WaitDialogGone(builder_->Id(), "Application Information")) << button << " " << escape;
      EXPECT_EQ(Rows(), Rows_t{"\\windows\\pword.exe"}) << button << " " << escape;
      EXPECT_TRUE(NoMessageBox(builder_->Id()));
    }
  }
}

TEST_F(ApplicationListWindow, ModifyOkOverwritesEvenWithAnotherEntrysPath) {
  AddThree();
  SelectListRow(main_, IDC_APP_LIST, 2);
  HWND entry = OpenDialog(IDC_MODIFY, "Application Information");
  SetText(entry, IDC_APP_PATH, "P");
  Click(entry, IDC_APP_AUTOLAUNCH);
  ClickAsync(entry, IDOK);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), "Application Information"));
  EXPECT_EQ(Rows(), (Rows_t{"P", "Q", "P"}));
  SelectListRow(main_, IDC_APP_LIST, 2);
  entry = OpenDialog(IDC_MODIFY, "Application Information");
  EXPECT_EQ(Text(entry, IDC_APP_LABEL), "label R");
  EXPECT_TRUE(IsChecked(entry, IDC_APP_AUTOLAUNCH));
  ClickAsync(entry, IDCANCEL);
}

TEST_F(ApplicationListWindow, DoubleClickOnARowModifiesIt) {
  AddThree();
  DoubleClickListRow(main_, IDC_APP_LIST, 1);
  HWND entry = FindDialog(builder_->Id(), "Application Information");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(Text(entry, IDC_APP_PATH), "Q");
  ClickAsync(entry, IDCANCEL);
}

TEST_F(ApplicationListWindow, UpAndDownMoveTheSelectedEntryAndKeepItSelected) {
  AddThree();
  SelectListRow(main_, IDC_APP_LIST, 1);
  Click(main_, IDC_UP);
  EXPECT_EQ(Rows(), (Rows_t{"Q", "P", "R"}));
  EXPECT_EQ(ListSelection(main_, IDC_APP_LIST), 0);
  Click(main_, IDC_UP);  // already first
  EXPECT_EQ(Rows(), (Rows_t{"Q", "P", "R"}));
  EXPECT_EQ(ListSelection(main_, IDC_APP_LIST), 0);
  Click(main_, IDC_DOWN);
  Click(main_, IDC_DOWN);
  EXPECT_EQ(Rows(), (Rows_t{"P", "R", "Q"}));
  EXPECT_EQ(ListSelection(main_, IDC_APP_LIST), 2);
  Click(main_, IDC_DOWN);  // already last
  EXPECT_EQ(Rows(), (Rows_t{"P", "R", "Q"}));
  EXPECT_EQ(ListSelection(main_, IDC_APP_LIST), 2);
}

TEST_F(ApplicationListWindow, RemoveTakesTheSelectedEntryOnly) {
  AddThree();
  for (int id : {IDC_REMOVE, IDC_UP, IDC_DOWN}) Click(main_, id);  // nothing selected
  EXPECT_EQ(Rows(), (Rows_t{"P", "Q", "R"}));
  SelectListRow(main_, IDC_APP_LIST, 1);
  Click(main_, IDC_REMOVE);
  EXPECT_EQ(Rows(), (Rows_t{"P", "R"}));
  EXPECT_EQ(ListSelection(main_, IDC_APP_LIST), -1);
}

TEST_F(ApplicationListWindow, ListCommandsIgnoreTheHintLines) {
  SelectListRow(main_, IDC_APP_LIST, 1);
  for (int id : {IDC_REMOVE, IDC_UP, IDC_DOWN}) Click(main_, id);
  ClickAsync(main_, IDC_MODIFY);
  EXPECT_EQ(FindDialog(builder_->Id(), "Application Information", milliseconds(500)), nullptr);
  EXPECT_EQ(Rows().size(), 2u);
}
