#include "package_tool/inf_file.h"

#include <gtest/gtest.h>

#include "package_tool/macro_expander.h"
#include "tests/package_tool/package_test_support.h"

namespace package_tool {
namespace {

using package_tool_test::MessageOf;

std::string ErrorOf(const std::string& text) {
  return MessageOf([&] { InfFile::Parse(text, "t.inf"); });
}

TEST(InfFile, SplitsFieldsAtCommasOutsideQuotesAndDropsComments) {
  InfFile inf = InfFile::Parse(
      "[Reg]\n"
      "  HKLM , Software\\X , \"a, b ; c\" , 0x0 , \"say \"\"hi\"\"\" ; comment\n"
      "Key = \" padded \" , ,last\n",
      "t.inf");
  const InfSection* reg = inf.Find("reg");
  ASSERT_NE(reg, nullptr);
  ASSERT_EQ(reg->lines.size(), 2u);
  EXPECT_EQ(reg->lines[0].fields,
            (std::vector<std::string>{"HKLM", "Software\\X", "a, b ; c", "0x0", "say \"hi\""}));
  EXPECT_EQ(reg->lines[0].key, "");
  EXPECT_EQ(reg->lines[1].key, "Key");
  EXPECT_EQ(reg->lines[1].fields, (std::vector<std::string>{" padded ", "", "last"}));
  EXPECT_EQ(reg->FindKey("KEY"), &reg->lines[1]);
}

TEST(InfFile, CountsLinesWhateverTheirEndsAndSkipsBlankOnes) {
  InfFile inf = InfFile::Parse("; head\r\n[A]\r\r\n\r\n  \nx=1\r\r\n[B]\ny", "t.inf");
  ASSERT_NE(inf.Find("A"), nullptr);
  ASSERT_EQ(inf.Find("A")->lines.size(), 1u);
  EXPECT_EQ(inf.Find("A")->lines[0].number, 5);
  EXPECT_EQ(inf.Find("A")->lines[0].fields, (std::vector<std::string>{"1"}));
  EXPECT_EQ(inf.Find("B")->lines[0].number, 7);
  EXPECT_EQ(inf.LineCount(), 7);
}

TEST(InfFile, SectionGivenTwiceJoinsItsLines) {
  InfFile inf = InfFile::Parse("[A]\nx\n[B]\n[a]\ny\n", "t.inf");
  ASSERT_EQ(inf.Sections().size(), 2u);
  EXPECT_EQ(inf.Find("A")->lines.size(), 2u);
}

TEST(InfFile, AnEmptyQuotedFieldIsALine) {
  InfFile inf = InfFile::Parse("[A]\n\"\"\n", "t.inf");
  ASSERT_EQ(inf.Find("A")->lines.size(), 1u);
}

TEST(InfFile, MalformedLinesNameFileAndLine) {
  EXPECT_EQ(ErrorOf("[A]\n[B\n"), "t.inf(2): error: section header without ']'");
  EXPECT_EQ(ErrorOf("; c\nx = 1\n"), "t.inf(2): error: line outside any section");
  EXPECT_EQ(ErrorOf("[A]\n\nx = \"open\n"), "t.inf(3): error: quote not closed");
  EXPECT_EQ(ErrorOf("[A] junk\n"), "t.inf(1): error: text after the section header");
  EXPECT_EQ(ErrorOf("[ ]\n"), "t.inf(1): error: section header without a name");
  using std::string_literals::operator""s;
  EXPECT_EQ(ErrorOf("[A]\nx = \"Li\0st\"\n"s), "t.inf(2): error: zero byte in the line");
  EXPECT_EQ(ErrorOf("[RawStrings]\nx=a\0\n"s), "t.inf(2): error: zero byte in the line");
}

TEST(InfFile, RequireNamesTheReferringLineOrTheEnd) {
  InfFile inf = InfFile::Parse("[A]\nx\n\n", "t.inf");
  EXPECT_EQ(MessageOf([&] { inf.Require("Files", 2); }), "t.inf(2): error: section [Files] not found");
  EXPECT_EQ(MessageOf([&] { inf.Require("Version"); }), "t.inf(3): error: section [Version] not found");
}

class MacroExpanderTest : public ::testing::Test {
 protected:
  InfFile inf_ = InfFile::Parse(
      "[CEStrings]\n"
      "AppName = \"Kiosk\"\n"
      "InstallDir = %CE1%\\%appname%\n"
      "[Strings]\n"
      "Loop = x%Loop%\n"
      "Pair = a, b\n",
      "t.inf");
  MacroExpander macros_{inf_};

  std::string ErrorOf(const std::string& text) {
    return MessageOf([&] { macros_.Expand(text, 9); });
  }
};

TEST_F(MacroExpanderTest, ReplacesStringsInTurnAndKeepsDeviceFolders) {
  EXPECT_EQ(macros_.Expand("%InstallDir%\\bin", 1), "%CE1%\\Kiosk\\bin");
  EXPECT_EQ(macros_.Expand("%ce17%;%CE2%", 1), "%ce17%;%CE2%");
  EXPECT_EQ(macros_.Expand("%Pair%", 1), "a,b");
}

TEST_F(MacroExpanderTest, PercentSignsThatOpenNoMacroStay) {
  EXPECT_EQ(macros_.Expand("50%% off", 1), "50% off");
  EXPECT_EQ(macros_.Expand("50% off", 1), "50% off");
  EXPECT_EQ(macros_.Expand("100% or 5 %", 1), "100% or 5 %");
  EXPECT_EQ(macros_.Expand("%", 1), "%");
}

TEST_F(MacroExpanderTest, UnknownAndSelfReferringMacrosNameTheirLine) {
  EXPECT_EQ(ErrorOf("%CE18%"), "t.inf(9): error: unknown macro %CE18%");
  EXPECT_EQ(ErrorOf("a %Nope% b"), "t.inf(9): error: unknown macro %Nope%");
  EXPECT_EQ(ErrorOf("%Loop%"), "t.inf(5): error: macro %Loop% refers to itself");
}

// Typed texts travel in [RawStrings]: whatever follows the '=' is the text.
TEST(RawStrings, KeepEveryByteUpToTheLineEnd) {
  const std::string awkward = " Scan, Pack & Ship \"A\" 100% ;=\\ \xE9\t";
  InfFile inf = InfFile::Parse("[RawStrings]\r\n; note\r\n\r\n Title =" + awkward + "\r\r\nEmpty=\n"
                               "Last=\"unclosed;\n[Other]\nx = 1 ; comment\n",
                               "t.inf");
  const InfSection* raw = inf.Find("rawstrings");
  ASSERT_NE(raw, nullptr);
  ASSERT_EQ(raw->lines.size(), 3u);
  EXPECT_EQ(raw->lines[0].key, "Title");
  EXPECT_EQ(raw->lines[0].fields, std::vector<std::string>{awkward});
  EXPECT_EQ(raw->lines[0].number, 4);
  EXPECT_EQ(raw->lines[1].fields, std::vector<std::string>{""});
  EXPECT_EQ(raw->lines[2].fields, std::vector<std::string>{"\"unclosed;"});
  EXPECT_EQ(inf.Find("Other")->lines[0].fields, std::vector<std::string>{"1"});
}

TEST(RawStrings, LineWithoutANameIsAnError) {
  EXPECT_EQ(ErrorOf("[RawStrings]\nno equals sign\n"), "t.inf(2): error: raw string without '='");
  EXPECT_EQ(ErrorOf("[RawStrings]\n =x\n"), "t.inf(2): error: raw string without a name");
}

TEST(RawStrings, ExpandToTheirTextAloneAndAreKnownAsRaw) {
  InfFile inf = InfFile::Parse(
      "[Strings]\nDir=%CE1%\\x\n[RawStrings]\nTitle=%Dir% 50%% %CE2%\nDir2=%Title%\n", "t.inf");
  MacroExpander macros(inf);
  EXPECT_EQ(macros.Expand("%Title%", 1), "%Dir% 50%% %CE2%");
  EXPECT_EQ(macros.Expand("[%title%]", 1), "[%Dir% 50%% %CE2%]");
  EXPECT_EQ(macros.Expand("%Dir2%", 1), "%Title%");
  EXPECT_TRUE(macros.IsRawReference("%TITLE%"));
  EXPECT_FALSE(macros.IsRawReference("%Dir%"));
  EXPECT_FALSE(macros.IsRawReference("x%Title%"));
  EXPECT_FALSE(macros.IsRawReference("%"));
}

}  // namespace
}  // namespace package_tool
