#include "builder/main_window/project_settings.h"

#include <gtest/gtest.h>

#include <cctype>

namespace builder::main_window {
namespace {

TEST(Keypad, TakesTenDigitsAndIgnoresTheEleventh) {
  std::string code;
  for (char digit : std::string("0123456789")) AppendKeypadDigit(code, digit);
  EXPECT_EQ(code, "0123456789");
  AppendKeypadDigit(code, '5');
  EXPECT_EQ(code, "0123456789");
}

TEST(ProjectSettings, NewProjectRestoresEveryDefault) {
  ProjectSettings settings;
  settings.name = "Shop";
  settings.projectfilepath = "C:\\shop.bcp";
  settings.mainapplication = {"\\windows\\pword.exe", "-x"};
  settings.admincode = "1234";
  settings.startuptimer = 3;
  settings.showversion = 0;
  settings.restartdelay = -1;
  settings.kioskdesktoptitletext = kTitlePlaceholder;
  settings.logo = "C:\\logo.bmp";
  settings.enablekioskdesktop = settings.fitlogotoscreen = settings.showtaskbar = 1;
  settings.ResetForNewProject();
  EXPECT_EQ(settings.name, "Untitled");
  EXPECT_TRUE(settings.projectfilepath.empty());
  EXPECT_TRUE(settings.mainapplication.path.empty());
  EXPECT_TRUE(settings.mainapplication.params.empty());
  EXPECT_TRUE(settings.admincode.empty());
  EXPECT_TRUE(settings.kioskdesktoptitletext.empty());
  EXPECT_TRUE(settings.logo.empty());
  EXPECT_EQ(settings.startuptimer, 10);
  EXPECT_EQ(settings.showversion, 1);
  EXPECT_EQ(settings.restartdelay, 0);
  EXPECT_EQ(settings.enablekioskdesktop, 0);
  EXPECT_EQ(settings.fitlogotoscreen, 0);
  EXPECT_EQ(settings.showtaskbar, 0);
}

TEST(LanguageIndex, FindsEachEntryOfTheTableInAnyCase) {
  for (size_t index = 0; index < kLanguageTable.size(); ++index) {
    std::string upper = kLanguageTable[index];
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(LanguageIndex(kLanguageTable[index]), index);
    EXPECT_EQ(LanguageIndex(upper), index);
  }
  EXPECT_EQ(LanguageIndex("spanish"), 1u);
}

TEST(LanguageIndex, AnythingElseIsTheFirstEntry) {
  for (const char* name : {"", "German", "Span", "Spanish ", "Brazilianx"}) EXPECT_EQ(LanguageIndex(name), 0u) << name;
}

}  // namespace
}  // namespace builder::main_window
