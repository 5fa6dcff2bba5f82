// The INF reader's rules at each of their ends: every blank, both ends of a
// field, a construct at the very end of a text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "package_tool/inf_file.h"
#include "package_tool/macro_expander.h"
#include "tests/package_tool/package_test_support.h"

namespace package_tool {
namespace {

using package_tool_test::MessageOf;

// The blanks that the reader trims; a line feed ends the line instead.
constexpr char kBlanks[] = {' ', '\t', '\r', '\v', '\f'};

TEST(InfRules, EachBlankIsTrimmedAroundKeysFieldsAndSectionNames) {
  for (const char blank : kBlanks) {
    const std::string b(2, blank);
    const InfFile inf = InfFile::Parse("[" + b + "Sec" + b + "]" + b + "\n" + b + "Key" + b + "=" + b + "one" + b + "," +
                                           b + "\"" + b + "two" + b + "\"" + b + "\n",
                                       "t.inf");
    const InfSection* section = inf.Find("Sec");
    ASSERT_NE(section, nullptr) << int{blank};
    EXPECT_EQ(section->name, "Sec") << int{blank};
    ASSERT_EQ(section->lines.size(), 1u) << int{blank};
    EXPECT_EQ(section->lines[0].key, "Key") << int{blank};
    EXPECT_EQ(section->lines[0].fields, (std::vector<std::string>{"one", b + "two" + b})) << int{blank};
  }
}

TEST(InfRules, ALineOfBlanksIsSkipped) {
  for (const char blank : kBlanks) {
    const InfFile inf = InfFile::Parse(std::string("[A]\n") + blank + blank + "\nx\n", "t.inf");
    ASSERT_EQ(inf.Find("A")->lines.size(), 1u) << int{blank};
    EXPECT_EQ(inf.Find("A")->lines[0].number, 3) << int{blank};
  }
}

TEST(InfRules, BlanksInsideAFieldStay) {
  const InfFile inf = InfFile::Parse("[A]\nx = a \t\v\fb\n", "t.inf");
  EXPECT_EQ(inf.Find("A")->lines[0].fields, std::vector<std::string>{"a \t\v\fb"});
}

TEST(InfRules, ACommentMayFollowASectionHeader) {
  const InfFile inf = InfFile::Parse("[A] ; the first\n[B];\nx\n", "t.inf");
  ASSERT_NE(inf.Find("A"), nullptr);
  ASSERT_NE(inf.Find("B"), nullptr);
  EXPECT_EQ(inf.Find("B")->lines.size(), 1u);
}

TEST(InfRules, OnlyAnEqualsSignBeforeTheFirstCommaMakesAKey) {
  const InfFile inf = InfFile::Parse("[A]\nx, y = z\nk = v = w\n", "t.inf");
  const InfSection& section = *inf.Find("A");
  EXPECT_EQ(section.lines[0].key, "");
  EXPECT_EQ(section.lines[0].fields, (std::vector<std::string>{"x", "y = z"}));
  EXPECT_EQ(section.lines[1].key, "k");
  EXPECT_EQ(section.lines[1].fields, std::vector<std::string>{"v = w"});
}

// Quotes end what is trimmed, even when they hold nothing.
TEST(InfRules, BlanksBeforeEmptyQuotesStayInTheField) {
  const InfFile inf = InfFile::Parse("[A]\nx = a \"\" , \t\"\"\t\n", "t.inf");
  EXPECT_EQ(inf.Find("A")->lines[0].fields, (std::vector<std::string>{"a ", ""}));
}

TEST(InfRules, AMissingSectionOfAnEmptyFileIsReportedAtItsFirstLine) {
  for (const char* text : {"", "\n", "[A]"}) {
    const InfFile inf = InfFile::Parse(text, "t.inf");
    EXPECT_EQ(MessageOf([&] { inf.Require("Version"); }), "t.inf(1): error: section [Version] not found") << text;
  }
}

TEST(InfRules, ARawReferenceIsTheWholeTextBetweenTwoPercentSigns) {
  const InfFile inf = InfFile::Parse("[RawStrings]\nT=x\n", "t.inf");
  const MacroExpander macros(inf);
  EXPECT_TRUE(macros.IsRawReference("%t%"));
  for (const char* text : {"%T", "T%", "%TT", "%T%x", "x%T%", "%T% ", "%%"}) EXPECT_FALSE(macros.IsRawReference(text)) << text;
}

TEST(InfRules, MacroNamesMayHoldUnderscoresAndDigits) {
  const InfFile inf = InfFile::Parse("[Strings]\n_Key_2_ = one\nx9 = two\n", "t.inf");
  const MacroExpander macros(inf);
  EXPECT_EQ(macros.Expand("%_Key_2_%-%X9%", 1), "one-two");
}

TEST(InfRules, TwoPercentSignsAreOneWhereverTheyStand) {
  const InfFile inf = InfFile::Parse("[Strings]\nP = 5\n", "t.inf");
  const MacroExpander macros(inf);
  const std::pair<const char*, const char*> cases[] = {
      {"%%", "%"}, {"%%x", "%x"}, {"x%%", "x%"}, {"%P%%%", "5%"}, {"%%%%", "%%"}, {"%%P%%", "%P%"},
  };
  for (const auto& [text, expanded] : cases) EXPECT_EQ(macros.Expand(text, 1), expanded) << text;
}

TEST(InfRules, AStringEntryNeedsAName) {
  for (const char* section : {"[Strings]", "[CEStrings]"}) {
    for (const char* line : {"= value", "value"}) {
      const InfFile inf = InfFile::Parse(std::string(section) + "\nA = 1\n" + line + "\n", "t.inf");
      EXPECT_EQ(MessageOf([&] { MacroExpander macros(inf); }), "t.inf(3): error: string entry without a name")
          << section << line;
    }
  }
}

}  // namespace
}  // namespace package_tool
