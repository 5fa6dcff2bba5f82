#include "tests/gui/builder_fixture.h"

using namespace gui_driver;

using MainWindow = BuilderTest;

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
  EXPECT_EQ(FocusedControlId(main_), IDC_NEW_PROJECT);
  EXPECT_TRUE(SaveScreenshot(main_, BuildFile("main_window.png")));
}

