#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "builder/build/core/builder_paths.h"
#include "builder/build/core/package_files.h"
#include "builder/build/core/setup_substitutions.h"
#include "builder/build/core/setup_template.h"
#include "builder/build/core/text_file.h"
#include "tests/package_tool/distinct_settings.h"

namespace builder::build {
namespace {

using namespace std::string_literals;

std::string ValueOf(const SetupSubstitutionList& list, const std::string& key) {
  const auto found = std::find_if(list.begin(), list.end(), [&](const auto& pair) { return pair.key == key; });
  return found == list.end() ? "<missing>" : found->value;
}

std::string ScratchPath(const std::string& name) { return ::testing::TempDir() + "bc_build_core_" + name; }

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The template filling

TEST(FillSetupTemplate, TrimsTrailingWhiteSpaceOnlyAtTheEnd) {
  EXPECT_EQ(FillSetupTemplate("  [A]\n\n \t\r\n\v\f", {}), "  [A]");
  EXPECT_EQ(FillSetupTemplate("\r\n\t ", {}), "");
}

TEST(FillSetupTemplate, EmptyTemplateStaysEmpty) { EXPECT_EQ(FillSetupTemplate("", {{"SHOWVERSION", "1"}}), ""); }

TEST(FillSetupTemplate, StopsAtTheFirstZeroByte) {
  EXPECT_EQ(FillSetupTemplate("KEY=A \0KEY=B"s, {{"A", "1"}}), "KEY=1");
  EXPECT_EQ(FillSetupTemplate("\0A"s, {{"A", "1"}}), "");
}

TEST(FillSetupTemplate, KeepsCarriageReturnsInsideTheText) {
  EXPECT_EQ(FillSetupTemplate("a=SHOWTASKBAR\r\nb=1\r\n", {{"SHOWTASKBAR", "0"}}), "a=0\r\nb=1");
}

TEST(FillSetupTemplate, ReplacesEveryOccurrenceCaseSensitively) {
  EXPECT_EQ(FillSetupTemplate("SHOW_LOGO,show_logo,SHOW_LOGO", {{"SHOW_LOGO", "1"}, {"ABSENT", "x"}}), "1,show_logo,1");
}

TEST(FillSetupTemplate, ResumesBehindTheInsertedValue) {
  EXPECT_EQ(FillSetupTemplate("A-A", {{"A", "AA"}}), "AA-AA");
  EXPECT_EQ(FillSetupTemplate("AAA", {{"AA", "x"}}), "xA");
  EXPECT_EQ(FillSetupTemplate("A", {{"A", ""}}), "");
  EXPECT_EQ(FillSetupTemplate("SHOWTASKBARSHOWTASKBAR", {{"SHOWTASKBAR", "1"}}), "11");
}

TEST(FillSetupTemplate, SearchesLaterKeysInEarlierValues) {
  EXPECT_EQ(FillSetupTemplate("p=APPLICATION_PATH", {{"APPLICATION_PATH", "\\SHOWVERSION.exe"}, {"SHOWVERSION", "1"}}),
            "p=\\1.exe");
  // Never the other way round.
  EXPECT_EQ(FillSetupTemplate("B A", {{"A", "B"}, {"B", "A"}}), "A A");
}

TEST(ReplaceEvery, EmptyKeyChangesNothing) {
  std::string text = "abc";
  ReplaceEvery(text, "", "x");
  EXPECT_EQ(text, "abc");
}

// The substitution list of a project

TEST(SetupSubstitutions, KeysInOrderWithAndWithoutLogo) {
  main_window::ProjectSettings settings;
  std::vector<std::string> keys;
  for (const auto& pair : SetupSubstitutions(settings, "English")) keys.push_back(pair.key);
  const std::vector<std::string> expected = {"APPLICATION_PATH",
                                             "APPLICATION_PARAMS",
                                             "APPLICATION_COUNTDOWN",
                                             "DISABLE_ACTIVESYNC_CONNECTION",
                                             "DISABLE_HARDBUTTONS",
                                             "ENABLE_KIOSKDESKTOP",
                                             "KIOSK_DESKTOP_TITLE_TEXT",
                                             "UNLOCK_ON_TAP_IN_KIOSKDESKTOP",
                                             "SHOWSIPICON_IN_KIOSKDESKTOP",
                                             "ENABLETASKBAR_IN_KIOSKDESKTOP",
                                             "SHOWTASKBAR",
                                             "SHOWVERSION",
                                             "DISABLE_CONTINUE_BUTTON",
                                             "TARGET_APP_RESTART_DELAY",
                                             "LANGUAGE_TO_BE_USED",
                                             "bce_logofile=2",
                                             "bce_logofile",
                                             "SHOW_LOGO",
                                             "FIT_LOGO_TO_SCREEN"};
  EXPECT_EQ(keys, expected);

  settings.logo = "C:\\logo.bmp";
  keys.clear();
  for (const auto& pair : SetupSubstitutions(settings, "English")) keys.push_back(pair.key);
  EXPECT_EQ(keys.size(), 17u);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), "bce_logofile"), 0);
}

TEST(SetupSubstitutions, RestartDelayIsItsLow16BitsUnsigned) {
  main_window::ProjectSettings settings;
  for (const auto& [delay, text] : std::vector<std::pair<int32_t, std::string>>{
           {-1, "65535"}, {0, "0"}, {30, "30"}, {65536, "0"}, {70000, "4464"}, {-65536, "0"}}) {
    settings.restartdelay = delay;
    EXPECT_EQ(ValueOf(SetupSubstitutions(settings, "English"), "TARGET_APP_RESTART_DELAY"), text) << delay;
  }
}

TEST(SetupSubstitutions, ValuesOfTheSettings) {
  main_window::ProjectSettings settings;
  settings.mainapplication = {"\\windows\\pword.exe", "-k 1"};
  settings.startuptimer = 0;
  settings.disablehardwarebuttons = 1;
  settings.enablekioskdesktop = 1;
  settings.showversion = 0;
  settings.kioskdesktoptitletext = "[Enter Desktop Title Text here]";
  const auto list = SetupSubstitutions(settings, "Brazilian");
  EXPECT_EQ(ValueOf(list, "APPLICATION_PATH"), "\\windows\\pword.exe");
  EXPECT_EQ(ValueOf(list, "APPLICATION_PARAMS"), "-k 1");
  EXPECT_EQ(ValueOf(list, "APPLICATION_COUNTDOWN"), "0");
  EXPECT_EQ(ValueOf(list, "DISABLE_HARDBUTTONS"), "9");
  EXPECT_EQ(ValueOf(list, "ENABLE_KIOSKDESKTOP"), "1");
  EXPECT_EQ(ValueOf(list, "SHOWVERSION"), "0");
  EXPECT_EQ(ValueOf(list, "KIOSK_DESKTOP_TITLE_TEXT"), "[Enter Desktop Title Text here]");
  EXPECT_EQ(ValueOf(list, "LANGUAGE_TO_BE_USED"), "brazilian");
  EXPECT_EQ(ValueOf(list, "SHOW_LOGO"), "0");
  settings.disablehardwarebuttons = 0;
  EXPECT_EQ(ValueOf(SetupSubstitutions(settings, "Spanish"), "DISABLE_HARDBUTTONS"), "0");
}

// Every setting with a value no other setting has, so that a key fed from
// the wrong setting shows.
TEST(SetupSubstitutions, EveryKeyCarriesItsOwnSetting) {
  const std::pair<const char*, const char*> expected[] = {
      {"APPLICATION_PATH", "\\Windows\\pword.exe"},
      {"APPLICATION_PARAMS", "-f 50% off"},
      {"APPLICATION_COUNTDOWN", "15"},
      {"DISABLE_ACTIVESYNC_CONNECTION", "1"},
      {"DISABLE_HARDBUTTONS", "9"},
      {"ENABLE_KIOSKDESKTOP", "2"},
      {"KIOSK_DESKTOP_TITLE_TEXT", "[Enter Desktop Title Text here]"},
      {"UNLOCK_ON_TAP_IN_KIOSKDESKTOP", "3"},
      {"SHOWSIPICON_IN_KIOSKDESKTOP", "4"},
      {"ENABLETASKBAR_IN_KIOSKDESKTOP", "5"},
      {"SHOWTASKBAR", "6"},
      {"SHOWVERSION", "7"},
      {"DISABLE_CONTINUE_BUTTON", "8"},
      {"TARGET_APP_RESTART_DELAY", "65535"},
      {"LANGUAGE_TO_BE_USED", "brazilian"},
      {"SHOW_LOGO", "0"},
      {"FIT_LOGO_TO_SCREEN", "10"},
  };
  const auto list = SetupSubstitutions(package_tool_test::DistinctSettings(false), package_tool_test::kDistinctLanguage);
  for (const auto& [key, value] : expected) EXPECT_EQ(ValueOf(list, key), value) << key;
}

TEST(SetupSubstitutions, ALogoWithFitOffGivesShowOneAndFitZero) {
  main_window::ProjectSettings settings;
  settings.logo = "C:\\logo.bmp";
  settings.fitlogotoscreen = 0;
  const auto list = SetupSubstitutions(settings, "English");
  EXPECT_EQ(ValueOf(list, "SHOW_LOGO"), "1");
  EXPECT_EQ(ValueOf(list, "FIT_LOGO_TO_SCREEN"), "0");
  settings.logo.clear();
  settings.fitlogotoscreen = 1;
  EXPECT_EQ(ValueOf(SetupSubstitutions(settings, "English"), "FIT_LOGO_TO_SCREEN"), "1");
}

TEST(SetupSubstitutions, WithoutLogoTheLogoEntriesVanish) {
  const std::string tmpl = "[SourceDisksFiles]\nset.alf = 2\nbce_logofile=2\n[Files]\nbce_logofile\nlogo=SHOW_LOGO\n";
  main_window::ProjectSettings settings;
  EXPECT_EQ(FillSetupTemplate(tmpl, SetupSubstitutions(settings, "English")),
            "[SourceDisksFiles]\nset.alf = 2\n\n[Files]\n\nlogo=0");
  settings.logo = "C:\\logo.bmp";
  EXPECT_EQ(FillSetupTemplate(tmpl, SetupSubstitutions(settings, "English")),
            "[SourceDisksFiles]\nset.alf = 2\nbce_logofile=2\n[Files]\nbce_logofile\nlogo=1");
}

TEST(SetupSubstitutions, MainApplicationPathMeetsLaterKeys) {
  main_window::ProjectSettings settings;
  settings.mainapplication.path = "\\apps\\SHOWVERSION.exe";
  settings.showversion = 1;
  EXPECT_EQ(FillSetupTemplate("AppPath=APPLICATION_PATH", SetupSubstitutions(settings, "English")),
            "AppPath=\\apps\\1.exe");
}

// The package files

project::ApplicationEntry Entry(std::string label, std::string path, std::string params, int32_t autolaunch,
                                int32_t hide) {
  return {std::move(label), std::move(path), std::move(params), autolaunch, hide};
}

TEST(ApplicationListFile, TwoEntriesGiveTheSixtyOneBytes) {
  project::ApplicationList list;
  list.AddUnique(Entry("Word", "\\windows\\pword.exe", "", 1, 0));
  list.AddUnique(Entry("Notes", "\\windows\\notes.exe", "-x", 0, 1));
  const std::string bytes = ApplicationListFileBytes(list);
  EXPECT_EQ(bytes, "1;0;Word;\\windows\\pword.exe;;0;1;Notes;\\windows\\notes.exe;-x;");
  EXPECT_EQ(bytes.size(), 61u);
}

TEST(ApplicationListFile, FieldsAreWrittenAsTheyAre) {
  project::ApplicationList list;
  list.AddUnique(Entry("", "\\windows\\pword.exe", "", 1, 0));
  EXPECT_EQ(ApplicationListFileBytes(list), "1;0;;\\windows\\pword.exe;;");
  list.Clear();
  list.AddUnique(Entry("Tea; Coffee", "\\menu.exe", "", 2, -1));
  const std::string bytes = ApplicationListFileBytes(list);
  EXPECT_EQ(bytes, "1;1;Tea; Coffee;\\menu.exe;;");
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), ';'), 6);
  EXPECT_EQ(ApplicationListFileBytes(project::ApplicationList{}), "");
}

TEST(PackageFiles, AdminCodeFileHoldsTheDigitsOnly) {
  const std::string path = ScratchPath("abce.pac");
  ASSERT_TRUE(WriteTextModeFile(path, AdminCodeFileBytes("0472")));
  EXPECT_EQ(ReadBytes(path), "0472");
  ASSERT_TRUE(WriteTextModeFile(path, AdminCodeFileBytes("")));
  EXPECT_EQ(ReadBytes(path).size(), 0u);
}

// Text-mode files

TEST(TextModeFile, LineFeedsBecomeCarriageReturnLineFeed) {
  EXPECT_EQ(TextModeBytes("a\nb"), "a\r\nb");
  EXPECT_EQ(TextModeBytes("a\r\nb"), "a\r\r\nb");
  EXPECT_EQ(TextModeBytes("\n\n"), "\r\n\r\n");
  EXPECT_EQ(TextModeBytes("no line end"), "no line end");
}

TEST(TextModeFile, WritesTruncatesAndReportsFailure) {
  const std::string path = ScratchPath("setup.inf");
  ASSERT_TRUE(WriteTextModeFile(path, "a much longer first content\n"));
  ASSERT_TRUE(WriteTextModeFile(path, "x\ny"));
  EXPECT_EQ(ReadBytes(path), "x\r\ny");
  EXPECT_TRUE(FileIsReadable(path));
  EXPECT_FALSE(WriteTextModeFile(ScratchPath("missing_folder/setup.inf"), "x"));
  EXPECT_FALSE(FileIsReadable(ScratchPath("missing.bmp")));
}

// Paths of the builder's folder

TEST(BuilderPaths, JoinRefusesWhatWouldNotFitThePathBuffer) {
  const std::string folder(250, 'f');
  EXPECT_EQ(JoinPath(folder, "\\output").value_or("<refused>"), folder + "\\output");
  EXPECT_EQ(JoinPath(std::string(252, 'f'), "\\output").value_or("<refused>"), std::string(252, 'f') + "\\output");
  EXPECT_FALSE(JoinPath(std::string(253, 'f'), "\\output").has_value());
}

TEST(BuilderPaths, FolderIsCutAtTheLastBackslash) {
  EXPECT_EQ(BuilderFolderFromModulePath("C:\\Program Files\\B\\Brindlecove.exe").value_or("<refused>"),
            "C:\\Program Files\\B");
  EXPECT_FALSE(BuilderFolderFromModulePath("Brindlecove.exe").has_value());
  EXPECT_FALSE(BuilderFolderFromModulePath("").has_value());  // a path its buffer could not hold
}

// Build names its files relative to the folder, so only joined paths have a limit.
TEST(BuilderPaths, DeepFoldersAreKeptAndOnlyJoinedPathsThatOverflowAreRefused) {
  for (size_t length : {243u, 250u, 257u}) {
    const std::string folder = "C:\\" + std::string(length - 3, 'd');
    EXPECT_EQ(BuilderFolderFromModulePath(folder + "\\B").value_or("<refused>"), folder) << length;
  }
  const std::string deepest = "C:\\" + std::string(240, 'd');  // 243 characters
  // "\docs\index.html" takes 16 bytes: 259 characters and the terminator fit.
  EXPECT_EQ(JoinPath(deepest, kHelpPageTail).value_or("<refused>"), deepest + "\\docs\\index.html");
  EXPECT_FALSE(JoinPath(deepest + "d", kHelpPageTail).has_value());
  EXPECT_FALSE(JoinPath(deepest, "\\pocketpc\\arm\\brindlecove.exe").has_value());
}

}  // namespace
}  // namespace builder::build
