#include "framework/integer_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace framework {
namespace {

TEST(ParseDialogInteger, TakesSignedNumbersWithBlanksAround) {
  const std::pair<const char*, int32_t> cases[] = {
      {"12", 12},    {"  12\t ", 12}, {"-5", -5}, {"+5", 5},   {"0", 0},
      {"007", 7},    {"-1", -1},       {"9", 9},   {"\t+9 ", 9}, {"90", 90},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseDialogInteger(text), value) << text;
}

TEST(ParseDialogInteger, RefusesEmptyWordsAndTrailingJunk) {
  EXPECT_EQ(ParseDialogInteger(""), std::nullopt);
  EXPECT_EQ(ParseDialogInteger("   "), std::nullopt);
  EXPECT_EQ(ParseDialogInteger("abc"), std::nullopt);
  EXPECT_EQ(ParseDialogInteger("12a"), std::nullopt);
  EXPECT_EQ(ParseDialogInteger("1 2"), std::nullopt);
  EXPECT_EQ(ParseDialogInteger("-"), std::nullopt);
}

TEST(ParseDialogInteger, OnlyBlanksAndTabsMayComeBeforeTheNumber) {
  for (const char* text : {"\f5", "\v5", "\r5", "\n5", " \n5", "\t\r\n5", "5\n", "5\f"}) {
    EXPECT_EQ(ParseDialogInteger(text), std::nullopt) << "for code " << int{text[0]};
  }
  EXPECT_EQ(ParseDialogInteger("\t \t5"), 5);
}

TEST(ParseDialogInteger, ZeroCountsOnlyWhenTheNumberBeginsWithTheDigitZero) {
  EXPECT_EQ(ParseDialogInteger(" 0 "), 0);
  EXPECT_EQ(ParseDialogInteger("-0"), std::nullopt);
  EXPECT_EQ(ParseDialogInteger("+0"), std::nullopt);
}

TEST(ParseDialogInteger, ReadsOnlyTheFirst31Characters) {
  const std::string padded = std::string(29, ' ') + "42";  // 31 characters
  EXPECT_EQ(ParseDialogInteger(padded), 42);
  EXPECT_EQ(ParseDialogInteger(padded + "x"), 42);  // the 32nd is never seen
  EXPECT_EQ(ParseDialogInteger(std::string(31, ' ') + "42"), std::nullopt);
}

TEST(ParseDialogInteger, ClampsToThe32BitRange) {
  EXPECT_EQ(ParseDialogInteger("99999999999"), INT32_MAX);
  EXPECT_EQ(ParseDialogInteger("-99999999999"), INT32_MIN);
  EXPECT_EQ(ParseDialogInteger("2147483647"), INT32_MAX);
}

}  // namespace
}  // namespace framework
