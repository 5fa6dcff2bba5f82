// The kiosk engine's platform-free parts: set.alf records, the fixed
// buffers its texts are built in, the record and the reset argument.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/kiosk_engine/core/application_list_file.h"
#include "device/kiosk_engine/core/engine_state.h"

namespace {

using namespace device::kiosk_engine;

// A record with its texts copied out of the content read.
struct ReadApplication {
  bool autolaunch = false;
  bool hideInKioskDesktop = false;
  std::string displayName, path, params;
};

std::string Text(const TextSpan& span) { return {span.text, span.size}; }

std::vector<ReadApplication> ReadAll(const std::string& content) {
  ApplicationListReader reader(content.data(), content.size());
  std::vector<ReadApplication> applications;
  for (AllowedApplication a; reader.Next(a);) {
    applications.push_back({a.autolaunch, a.hideInKioskDesktop, Text(a.displayName), Text(a.path), Text(a.params)});
  }
  return applications;
}

TEST(ApplicationListFile, ReadsRecordsInOrder) {
  const std::string content = "1;0;Word;\\windows\\pword.exe;;0;1;Notes;\\windows\\notes.exe;-x;";
  const auto applications = ReadAll(content);
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
  EXPECT_TRUE(ReadAll("").empty());
  const auto applications = ReadAll("0;0;;;;");
  ASSERT_EQ(applications.size(), 1u);
  EXPECT_EQ(applications[0].displayName, "");
  EXPECT_EQ(applications[0].path, "");
}

TEST(ApplicationListFile, OnlyAOneSetsAFlag) {
  for (const char* flag : {"0", "", "11", "2", " 1", "1 "}) {
    const auto applications = ReadAll(std::string(flag) + ";" + flag + ";A;\\a.exe;;");
    ASSERT_EQ(applications.size(), 1u) << flag;
    EXPECT_FALSE(applications[0].autolaunch) << flag;
    EXPECT_FALSE(applications[0].hideInKioskDesktop) << flag;
  }
}

TEST(ApplicationListFile, UnfinishedLastRecordIsDropped) {
  EXPECT_EQ(ReadAll("1;0;Word;\\windows\\pword.exe;;1;0;Notes").size(), 1u);
  EXPECT_EQ(ReadAll("1;0;Word;\\windows\\pword.exe;").size(), 0u);
  EXPECT_EQ(ReadAll("1;0;Word;\\windows\\pword.exe;x").size(), 0u);
}

TEST(ApplicationListFile, SemicolonInALabelShiftsTheFields) {
  const auto applications = ReadAll("1;0;A;B;\\a.exe;;");
  ASSERT_EQ(applications.size(), 1u);
  EXPECT_EQ(applications[0].displayName, "A");
  EXPECT_EQ(applications[0].path, "B");
  EXPECT_EQ(applications[0].params, "\\a.exe");
}

TEST(FixedText, NumbersFromZeroToTheLargest) {
  for (const auto& [value, text] : std::vector<std::pair<unsigned, std::string>>{
           {0, "0"}, {9, "9"}, {10, "10"}, {4294967295u, "4294967295"}}) {
    EXPECT_EQ(std::string(FixedText<char, 16>().AppendNumber(value).Get()), text);
  }
}

TEST(FixedText, KeepsWhatFitsTerminated) {
  FixedText<wchar_t, 4> text;
  text.Append(L"abc");
  EXPECT_TRUE(text.Whole());
  text.Append(L"d");
  EXPECT_FALSE(text.Whole());
  EXPECT_EQ(std::wstring(text.Get()), L"abc");
  EXPECT_EQ(text.Size(), 3u);
}

TEST(EngineState, StateFileLines) {
  EXPECT_EQ(std::string(FormatEngineState({}).Get()), "started=plain\nbuttons=0\nkiosk=on\nscreen=startup\n");
  for (const auto& [screen, line] : std::vector<std::pair<EngineScreen, std::string>>{
           {EngineScreen::Kiosk, "screen=kiosk\n"}, {EngineScreen::Desktop, "screen=desktop\n"}}) {
    EngineState state{true, 4294967295u, true, screen};
    state.launched.Add(L"\\main.exe", L"-k");
    const StateText text = FormatEngineState(state);
    EXPECT_TRUE(text.Whole());
    EXPECT_EQ(std::string(text.Get()),
              "started=r\nbuttons=4294967295\nkiosk=left\n" + line + "launched=\\main.exe -k\n");
  }
}

TEST(EngineState, ResetLineOnlyOnceAsked) {
  for (const auto& [outcome, line] : std::vector<std::pair<ResetOutcome, std::string>>{
           {ResetOutcome::NotAsked, ""}, {ResetOutcome::Requested, "reset=requested\n"},
           {ResetOutcome::Failed, "reset=failed\n"}}) {
    EngineState state{};
    state.reset = outcome;
    EXPECT_EQ(std::string(FormatEngineState(state).Get()),
              "started=plain\n" + line + "buttons=0\nkiosk=on\nscreen=startup\n");
  }
}

TEST(EngineState, LaunchLinesInUtf8) {
  const wchar_t pair[] = {0xD83D, 0xDE00, 0};
  const wchar_t lone[] = {L'a', 0xDC00, L'b', 0xD800, 0};
  for (const auto& [path, params, line] : std::vector<std::tuple<std::wstring, std::wstring, std::string>>{
           {L"\\a.exe", L"", "launched=\\a.exe\n"},
           {L"\\a b.exe", L"-x \"y\"", "launched=\\a b.exe -x \"y\"\n"},
           {L"\u00e9\u20ac\u007f\u0080\u07ff\u0800\uffff", L"", "launched=\xc3\xa9\xe2\x82\xac\x7f\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf\n"},
           {pair, L"", "launched=\xf0\x9f\x98\x80\n"},
           {lone, L"", "launched=a?b?\n"}}) {
    LaunchRecord record;
    record.Add(path.c_str(), params.c_str());
    EXPECT_EQ(std::string(record.Get()), line);
  }
}

// A full record keeps the first launches whole and says that some are missing.
TEST(EngineState, LaunchRecordKeepsWholeLinesOnly) {
  const std::size_t lineSize = std::string("launched=\n").size();
  for (const auto& [pathSize, kept] : std::vector<std::pair<std::size_t, std::size_t>>{
           {kLaunchRecordSize / 2 - lineSize, 1}, {(kLaunchRecordSize - 1) / 2 - lineSize, 2}}) {
    LaunchRecord record;
    const std::wstring path(pathSize, L'p');
    for (int i = 0; i < 3; ++i) record.Add(path.c_str(), L"");
    EXPECT_FALSE(record.Whole()) << pathSize;
    EXPECT_EQ(std::string(record.Get()).size(), kept * (pathSize + lineSize)) << pathSize;
  }
  LaunchRecord empty;
  EXPECT_TRUE(empty.Whole());
  EXPECT_EQ(std::string(empty.Get()), "");
}

TEST(EngineState, ResetArgumentIsTheLastWord) {
  EXPECT_TRUE(RequestsReset(L"r"));
  EXPECT_TRUE(RequestsReset(L"\"C:\\Program Files\\Brindlecove\\Brindlecove.exe\" r "));
  EXPECT_FALSE(RequestsReset(L""));
  EXPECT_FALSE(RequestsReset(L"  "));
  EXPECT_FALSE(RequestsReset(L"R"));
  EXPECT_FALSE(RequestsReset(L"\"C:\\Program Files\\Brindlecove\\Brindlecove.exe\""));
  EXPECT_FALSE(RequestsReset(L"Brindlecove.exe rr"));
  EXPECT_FALSE(RequestsReset(L"Brindlecove.exe xr"));
}

TEST(EngineState, BlanksAndTabsBothSeparateAndEndTheLastWord) {
  for (const wchar_t* line : {L"x.exe r", L"x.exe\tr", L"r\t", L"\tr \t", L"x.exe \t r\t "}) {
    EXPECT_TRUE(RequestsReset(line)) << line;
  }
  for (const wchar_t* line : {L"x.exe\vr", L"x.exe\nr", L"r\r", L"r\n", L"\t\t"}) EXPECT_FALSE(RequestsReset(line)) << line;
}

}  // namespace
