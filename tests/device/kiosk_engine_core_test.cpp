// The stand-in engine's platform-free parts: set.alf records, the state file
// and the reset argument.
#include <gtest/gtest.h>

#include "standins/kiosk_engine/application_list_file.h"
#include "standins/kiosk_engine/engine_state.h"

namespace {

using namespace standins::kiosk_engine;

TEST(ApplicationListFile, ReadsRecordsInOrder) {
  const auto applications =
      ParseApplicationList("1;0;Word;\\windows\\pword.exe;;0;1;Notes;\\windows\\notes.exe;-x;");
  ASSERT_EQ(applications.size(), 2u);
  EXPECT_TRUE(applications[0].autolaunch);
  EXPECT_FALSE(applications[0].hideInKioskDesktop);
  EXPECT_EQ(applications[0].displayName, "Word");
  EXPECT_EQ(applications[0].path, "\\windows\\pword.exe");
  EXPECT_EQ(applications[0].params, "");
  EXPECT_FALSE(applications[1].autolaunch);
  EXPECT_TRUE(applications[1].hideInKioskDesktop);
  EXPECT_EQ(applications[1].params, "-x");
}

TEST(ApplicationListFile, EmptyFieldsAndEmptyFile) {
  EXPECT_TRUE(ParseApplicationList("").empty());
  const auto applications = ParseApplicationList("0;0;;;;");
  ASSERT_EQ(applications.size(), 1u);
  EXPECT_EQ(applications[0].displayName, "");
  EXPECT_EQ(applications[0].path, "");
}

TEST(ApplicationListFile, UnfinishedLastRecordIsDropped) {
  EXPECT_EQ(ParseApplicationList("1;0;Word;\\windows\\pword.exe;;1;0;Notes").size(), 1u);
  EXPECT_EQ(ParseApplicationList("1;0;Word;\\windows\\pword.exe;").size(), 0u);
}

TEST(ApplicationListFile, SemicolonInALabelShiftsTheFields) {
  const auto applications = ParseApplicationList("1;0;A;B;\\a.exe;;");
  ASSERT_EQ(applications.size(), 1u);
  EXPECT_EQ(applications[0].displayName, "A");
  EXPECT_EQ(applications[0].path, "B");
  EXPECT_EQ(applications[0].params, "\\a.exe");
}

TEST(ApplicationListFile, DescriptionShowsParametersAndMarks) {
  EXPECT_EQ(DescribeApplication({false, false, "Word", "\\w.exe", ""}), "Word - \\w.exe");
  EXPECT_EQ(DescribeApplication({true, true, "Notes", "\\n.exe", "-x"}), "Notes - \\n.exe -x (auto) (hidden)");
}

TEST(EngineState, StateFileLines) {
  EXPECT_EQ(FormatEngineState({}), "started=plain\nbuttons=0\nkiosk=on\n");
  EXPECT_EQ(FormatEngineState({true, 12, true}), "started=r\nbuttons=12\nkiosk=left\n");
}

TEST(EngineState, ResetArgumentIsTheLastWord) {
  EXPECT_TRUE(RequestsReset(L"r"));
  EXPECT_TRUE(RequestsReset(L"\"C:\\Program Files\\Brindlecove\\Brindlecove.exe\" r "));
  EXPECT_FALSE(RequestsReset(L""));
  EXPECT_FALSE(RequestsReset(L"  "));
  EXPECT_FALSE(RequestsReset(L"R"));
  EXPECT_FALSE(RequestsReset(L"\"C:\\Program Files\\Brindlecove\\Brindlecove.exe\""));
  EXPECT_FALSE(RequestsReset(L"Brindlecove.exe rr"));
}

TEST(EngineState, BlanksAndTabsBothSeparateAndEndTheLastWord) {
  for (const wchar_t* line : {L"x.exe r", L"x.exe\tr", L"r\t", L"\tr \t", L"x.exe \t r\t "}) {
    EXPECT_TRUE(RequestsReset(line)) << line;
  }
  for (const wchar_t* line : {L"x.exe\vr", L"x.exe\nr", L"r\r", L"r\n", L"\t\t"}) EXPECT_FALSE(RequestsReset(line)) << line;
}

}  // namespace
