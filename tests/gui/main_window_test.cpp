#include "tests/gui/builder_fixture.h"

using namespace gui_driver;

using MainWindow = BuilderTest;

namespace {

// Selection of an edit control as (start, end).
std::pair<int, int> Selection(HWND dialog, int id) {
  const auto range = static_cast<DWORD>(SendMessageA(Control(dialog, id), EM_GETSEL, 0, 0));
  return {LOWORD(range), HIWORD(range)};
}

}  // namespace

TEST_F(MainWindow, StartsWithAnUntitledDefaultProject) {
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "Untitled");
  EXPECT_EQ(ListRows(main_, IDC_APP_LIST),
            (std::vector<std::string>{"Click Add button below to specify applications",
                                      "that you want to run in kiosk mode"}));
  EXPECT_EQ(ComboText(main_, IDC_LANGUAGE), "English");
  EXPECT_EQ(ComboSelection(main_, IDC_LANGUAGE), 0);
  EXPECT_EQ(Text(main_, IDC_KIOSK_TITLE), "[Enter Desktop Title Text here]");
  for (int id : {IDC_KIOSK_TITLE, IDC_ENABLE_TASKBAR, IDC_UNLOCK_ON_TAP}) EXPECT_FALSE(IsEnabled(main_, id)) << id;
  EXPECT_EQ(Text(main_, IDC_ADMIN_CODE), "");
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "10");
  EXPECT_EQ(Text(main_, IDC_RESTART_DELAY), "0");
  for (int id : {IDC_ENABLE_KIOSK_DESKTOP, IDC_ENABLE_TASKBAR, IDC_SHOW_SIP_ICON, IDC_UNLOCK_ON_TAP, IDC_FIT_LOGO,
                 IDC_DISABLE_CONTINUE, IDC_DISABLE_HARDWARE_BUTTONS, IDC_SHOW_TASKBAR, IDC_DISABLE_ACTIVESYNC}) {
    EXPECT_FALSE(IsChecked(main_, id)) << id;
  }
  EXPECT_TRUE(IsChecked(main_, IDC_SHOW_VERSION));
  EXPECT_FALSE(IsVisible(main_, IDC_SHOW_TASKBAR));
  EXPECT_FALSE(IsVisible(main_, IDC_SHOW_SIP_ICON));
  EXPECT_TRUE(WaitFocus(main_, IDC_NEW_PROJECT)) << "focus on control " << FocusedControlId(main_);
  EXPECT_TRUE(SaveScreenshot(main_, BuildFile("main_window.png")));
}

TEST_F(MainWindow, HasEveryControlWithItsText) {
  const std::pair<int, const char*> controls[] = {
      {IDC_NEW_PROJECT, "New Project"}, {IDC_LOAD_PROJECT, "&Load Project"}, {IDC_SAVE_PROJECT, "&Save Project"},
      {IDC_ADD, "&Add "}, {IDC_REMOVE, "&Remove"}, {IDC_MODIFY, "&Modify"}, {IDC_UP, "&Up"}, {IDC_DOWN, "&Down"},
      {IDC_ENABLE_KIOSK_DESKTOP, "Show Kiosk Desktop on device"}, {IDC_ENABLE_TASKBAR, "Enable taskbar"},
      {IDC_SHOW_SIP_ICON, "Show SIP icon in Kiosk desktop"},
      {IDC_UNLOCK_ON_TAP, "Enable Tap and Hold menu to unlock device"}, {IDC_DEVICE_CONTROL, "&Device Control"},
      {IDC_KEY_1, "1"}, {IDC_KEY_9, "9"}, {IDC_KEY_0, "0"}, {IDC_KEY_CLEAR, "&Clear"}, {IDC_BROWSE_LOGO, "..."},
      {IDC_FIT_LOGO, "Fit Logo to screen"}, {IDC_SHOW_VERSION, "Show version on device screen"},
      {IDC_DISABLE_CONTINUE, "Disable Continue Button"}, {IDC_DISABLE_HARDWARE_BUTTONS, "&Disable Hardware Buttons"},
      {IDC_SHOW_TASKBAR, "&Show Taskbar"}, {IDC_DISABLE_ACTIVESYNC, "&Disable ActiveSync Connection"},
      {IDC_BUILD, "&Build"}, {IDC_INSTALL, "&Install"}, {IDC_OPEN_PACKAGES, "&Open Packages"}, {IDC_ABOUT, "Abou&t"},
      {IDC_HELP_BUTTON, "&Help"}, {IDCANCEL, "&Exit"}};
  for (const auto& [id, text] : controls) EXPECT_EQ(Text(main_, id), text) << id;
  // No push button is the default one.
  for (int id : {IDC_NEW_PROJECT, IDC_BUILD, IDCANCEL, IDC_KEY_1}) {
    EXPECT_FALSE(GetWindowLongA(Control(main_, id), GWL_STYLE) & BS_DEFPUSHBUTTON) << id;
  }
  EXPECT_TRUE(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(MainWindow, SecondCopyIsRefusedWhileTheFirstKeepsRunning) {
  Process second(DistFolder() + "\\Brindlecove.exe", "", DistFolder());
  MessageBoxInfo box = WaitMessageBox(second.Id());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, "Brindlecove Builder is already running.");
  EXPECT_EQ(box.caption, "Brindlecove");
  EXPECT_EQ(box.icon, Icon::Exclamation);
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  Answer(box, IDOK);
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(builder_->Running());
  EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(MainWindow, ExitEndsTheProgramAtOnceWithoutAQuestion) {
  ClickAsync(main_, IDC_KEY_5);  // an unsaved change
  ClickAsync(main_, IDCANCEL);
  EXPECT_EQ(builder_->WaitForExit(), 0u);
}

TEST_F(MainWindow, EscapeAndTheCloseBoxEndTheProgram) {
  PressKey(main_, VK_ESCAPE);
  EXPECT_EQ(builder_->WaitForExit(), 0u);
  builder_ = StartBuilder();
  main_ = FindMainWindow(builder_->Id());
  ASSERT_NE(main_, nullptr);
  CloseBox(main_);
  EXPECT_EQ(builder_->WaitForExit(), 0u);
  // After the first copy ended, a new one starts normally.
  builder_ = StartBuilder();
  EXPECT_NE(FindMainWindow(builder_->Id()), nullptr);
}

TEST_F(MainWindow, EnterClosesOnlyAfterACleanPull) {
  SetText(main_, IDC_COUNTDOWN, "ten");
  Focus(main_, IDC_RESTART_DELAY);
  PressKey(main_, VK_RETURN);
  MessageBoxInfo box = ExpectBox("Please enter an integer.");
  EXPECT_EQ(box.caption, "Brindlecove");
  EXPECT_EQ(box.icon, Icon::Exclamation);
  EXPECT_TRUE(builder_->Running());
  EXPECT_TRUE(WaitFocus(main_, IDC_COUNTDOWN));
  EXPECT_EQ(Selection(main_, IDC_COUNTDOWN), std::make_pair(0, 3));
  SetText(main_, IDC_COUNTDOWN, " 12 ");
  PressKey(main_, VK_RETURN);
  EXPECT_EQ(builder_->WaitForExit(), 0u);
}

// The refused pull focuses the countdown; the title taking the focus back
// when the box closes must not ask again.
TEST_F(MainWindow, AnInvalidCountdownGivesOneMessageWhenTheTitleIsFocusedOrEntered) {
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  SetText(main_, IDC_COUNTDOWN, "ten");
  Focus(main_, IDC_KIOSK_TITLE);
  ExpectBox("Please enter an integer.");
  EXPECT_TRUE(WaitFocus(main_, IDC_COUNTDOWN));
  EXPECT_TRUE(NoMessageBox(builder_->Id()));

  SetText(main_, IDC_COUNTDOWN, "10");
  Focus(main_, IDC_KIOSK_TITLE);
  ASSERT_TRUE(NoMessageBox(builder_->Id()));
  SetText(main_, IDC_COUNTDOWN, "ten");
  PressKey(main_, VK_RETURN);
  ExpectBox("Please enter an integer.");
  EXPECT_TRUE(WaitFocus(main_, IDC_COUNTDOWN));
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_TRUE(builder_->Running());
}

TEST_F(MainWindow, IntegerFieldsRefuseLettersAndEmptyTexts) {
  const std::pair<int, const char*> cases[] = {
      {IDC_COUNTDOWN, ""}, {IDC_COUNTDOWN, "abc"}, {IDC_RESTART_DELAY, "1x"}, {IDC_RESTART_DELAY, ""}};
  for (const auto& [id, text] : cases) {
    SetText(main_, id, text);
    Focus(main_, IDC_LOGO);
    PressKey(main_, VK_RETURN);
    ExpectBox("Please enter an integer.");
    EXPECT_TRUE(WaitFocus(main_, id)) << "for '" << text << "'";
    SetText(main_, id, "0");
  }
  // A negative countdown passes the pull; Build rejects it later.
  SetText(main_, IDC_COUNTDOWN, "-5");
  Focus(main_, IDC_LOGO);
  PressKey(main_, VK_RETURN);
  EXPECT_EQ(builder_->WaitForExit(), 0u);
}

TEST_F(MainWindow, TitleLongerThanFiftyCharactersFailsThePull) {
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  Focus(main_, IDC_KIOSK_TITLE);
  SetText(main_, IDC_KIOSK_TITLE, std::string(51, 'T'));
  Focus(main_, IDC_LOGO);
  PressKey(main_, VK_RETURN);
  MessageBoxInfo box = ExpectBox("Please enter no more than 50 characters.");
  EXPECT_EQ(box.icon, Icon::Exclamation);
  EXPECT_TRUE(WaitFocus(main_, IDC_KIOSK_TITLE));
  EXPECT_EQ(Selection(main_, IDC_KIOSK_TITLE), std::make_pair(0, 51));
  SetText(main_, IDC_KIOSK_TITLE, std::string(50, 'T'));
  Focus(main_, IDC_LOGO);
  PressKey(main_, VK_RETURN);
  EXPECT_EQ(builder_->WaitForExit(), 0u);
}

TEST_F(MainWindow, TitleTypingStopsAtFiftyCharacters) {
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  Focus(main_, IDC_KIOSK_TITLE);
  Type(main_, IDC_KIOSK_TITLE, std::string(60, 'x'));
  EXPECT_EQ(Text(main_, IDC_KIOSK_TITLE), std::string(50, 'x'));
}

TEST_F(MainWindow, KeypadTakesTenDigitsKeepsLeadingZeroAndClears) {
  Click(main_, IDC_KEY_0);
  Click(main_, IDC_KEY_1);
  EXPECT_EQ(Text(main_, IDC_ADMIN_CODE), "01");
  for (int id = IDC_KEY_1; id <= IDC_KEY_8; ++id) Click(main_, id);
  EXPECT_EQ(Text(main_, IDC_ADMIN_CODE), "0112345678");
  Click(main_, IDC_KEY_9);  // the eleventh digit
  EXPECT_EQ(Text(main_, IDC_ADMIN_CODE), "0112345678");
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  Click(main_, IDC_KEY_CLEAR);
  EXPECT_EQ(Text(main_, IDC_ADMIN_CODE), "");
  Click(main_, IDC_KEY_9);
  EXPECT_EQ(Text(main_, IDC_ADMIN_CODE), "9");
}

TEST_F(MainWindow, ShowKioskDesktopEnablesItsThreeControlsTogether) {
  const int dependants[] = {IDC_KIOSK_TITLE, IDC_ENABLE_TASKBAR, IDC_UNLOCK_ON_TAP};
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  for (int id : dependants) EXPECT_TRUE(IsEnabled(main_, id)) << id;
  Click(main_, IDC_ENABLE_TASKBAR);
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  for (int id : dependants) EXPECT_FALSE(IsEnabled(main_, id)) << id;
  EXPECT_TRUE(IsChecked(main_, IDC_ENABLE_TASKBAR));  // disabled controls keep their values
}

TEST_F(MainWindow, TitlePlaceholderEmptiesOnFocusAndATypedTitleStays) {
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  Focus(main_, IDC_KIOSK_TITLE);
  EXPECT_EQ(Text(main_, IDC_KIOSK_TITLE), "");
  Type(main_, IDC_KIOSK_TITLE, "Shop floor");
  Focus(main_, IDC_LOGO);
  Focus(main_, IDC_KIOSK_TITLE);
  EXPECT_EQ(Text(main_, IDC_KIOSK_TITLE), "Shop floor");
}

TEST_F(MainWindow, NewProjectRestoresTheNewProjectValues) {
  AddApplication("Word", "\\windows\\pword.exe");
  Click(main_, IDC_KEY_4);
  SetText(main_, IDC_COUNTDOWN, "3");
  SetText(main_, IDC_RESTART_DELAY, "-1");
  SetText(main_, IDC_LOGO, "C:\\logo.bmp");
  for (int id : {IDC_ENABLE_KIOSK_DESKTOP, IDC_ENABLE_TASKBAR, IDC_UNLOCK_ON_TAP, IDC_FIT_LOGO, IDC_SHOW_VERSION,
                 IDC_DISABLE_CONTINUE, IDC_DISABLE_HARDWARE_BUTTONS, IDC_DISABLE_ACTIVESYNC}) {
    Click(main_, id);
  }
  SelectComboRow(main_, IDC_LANGUAGE, 1);
  Click(main_, IDC_NEW_PROJECT);
  EXPECT_EQ(Text(main_, IDC_PROJECT_NAME), "Untitled");
  EXPECT_TRUE(ListRows(main_, IDC_APP_LIST).empty());
  EXPECT_EQ(ComboText(main_, IDC_LANGUAGE), "Spanish");
  EXPECT_EQ(Text(main_, IDC_KIOSK_TITLE), "");
  EXPECT_EQ(Text(main_, IDC_ADMIN_CODE), "");
  EXPECT_EQ(Text(main_, IDC_COUNTDOWN), "10");
  EXPECT_EQ(Text(main_, IDC_RESTART_DELAY), "0");
  EXPECT_EQ(Text(main_, IDC_LOGO), "");
  EXPECT_TRUE(IsChecked(main_, IDC_SHOW_VERSION));
  for (int id : {IDC_ENABLE_KIOSK_DESKTOP, IDC_ENABLE_TASKBAR, IDC_UNLOCK_ON_TAP, IDC_FIT_LOGO, IDC_DISABLE_CONTINUE,
                 IDC_DISABLE_HARDWARE_BUTTONS, IDC_DISABLE_ACTIVESYNC}) {
    EXPECT_FALSE(IsChecked(main_, id)) << id;
  }
  for (int id : {IDC_KIOSK_TITLE, IDC_ENABLE_TASKBAR, IDC_UNLOCK_ON_TAP}) EXPECT_FALSE(IsEnabled(main_, id)) << id;
}

TEST_F(MainWindow, AnyTextInAnyFieldIsTakenWithoutACrash) {
  const std::string junk = std::string(5000, 'Z') + "\xff\x01%s%n\\\"'<>&";
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  Focus(main_, IDC_KIOSK_TITLE);
  Type(main_, IDC_KIOSK_TITLE, junk.substr(4990));
  for (int id : {IDC_LOGO, IDC_COUNTDOWN, IDC_RESTART_DELAY}) SetText(main_, id, junk);
  Focus(main_, IDC_LOGO);
  PressKey(main_, VK_RETURN);
  ExpectBox("Please enter an integer.");
  EXPECT_TRUE(builder_->Running());
  EXPECT_TRUE(Text(main_, IDC_LOGO) == junk) << "the logo field lost its text";
}
