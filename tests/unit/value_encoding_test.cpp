#include "builder/project_file/value_encoding.h"

#include <gtest/gtest.h>

#include <climits>

#include "builder/project_file/parse_error_report.h"
#include "builder/project_file/project_path.h"

namespace builder::project_file {
namespace {

using std::string_literals::operator""s;

TEST(ValueEncoding, EightBitTextMapsToTheFirst256Characters) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  const std::u16string wide = WideFromBytes(all);
  EXPECT_EQ(wide[0xFC - 1], u'\u00FC');
  EXPECT_EQ(BytesFromWide(wide), all);
  EXPECT_EQ(WideFromBytes(""), u"");
}

TEST(ValueEncoding, CharactersWithoutAnEightBitFormKeepTheRest) {
  EXPECT_EQ(BytesFromWide(u"a\u20ACb"), "a?b");
  EXPECT_EQ(BytesFromWide(u"x\U0001F600y"), "x?y");
  EXPECT_EQ(BytesFromWide(u"lone\xD800"), "lone?");
}

// A pair of surrogates is one character: one '?', whichever the ends of their ranges.
TEST(ValueEncoding, EachSurrogatePairBecomesOneQuestionMark) {
  const std::pair<std::u16string, std::string> cases[] = {
      {u"\xD800\xDC00", "?"},  {u"\xDBFF\xDFFF", "?"},   {u"\xD800\xDFFF", "?"},    {u"\xDBFF\xDC00", "?"},
      {u"\xDC00\xD800", "??"}, {u"\xD7FF\xDC00", "??"},  {u"\xDBFF\xE000", "??"},   {u"\xDBFF" u"x", "?x"},
  };
  for (const auto& [text, bytes] : cases) EXPECT_EQ(BytesFromWide(text), bytes) << int{text[0]} << " " << int{text[1]};
}

TEST(ValueEncoding, IntegersAsPercentD) {
  EXPECT_EQ(EncodeInteger(0), u"0");
  EXPECT_EQ(EncodeInteger(-1), u"-1");
  EXPECT_EQ(EncodeInteger(INT32_MIN), u"-2147483648");
}

TEST(ValueEncoding, IntegersReadByTheAtoiRule) {
  EXPECT_EQ(DecodeInteger(u"12x"), 12);
  EXPECT_EQ(DecodeInteger(u" \t\n-7"), -7);
  EXPECT_EQ(DecodeInteger(u"+5"), 5);
  EXPECT_EQ(DecodeInteger(u"word"), 0);
  EXPECT_EQ(DecodeInteger(u""), 0);
  EXPECT_EQ(DecodeInteger(u"- 3"), 0);
  EXPECT_EQ(DecodeInteger(u"99999999999999999999"), INT32_MAX);
  EXPECT_EQ(DecodeInteger(u"-2147483648"), INT32_MIN);
  EXPECT_EQ(DecodeInteger(u"-99999999999"), INT32_MIN);
}

// The blanks of isspace: space and the codes from tab to carriage return.
TEST(ValueEncoding, IntegersSkipEachBlankBeforeTheSign) {
  for (const char16_t blank : {u' ', u'\t', u'\n', u'\v', u'\f', u'\r'}) {
    EXPECT_EQ(DecodeInteger(std::u16string(1, blank) + u"+42"), 42) << int{blank};
    EXPECT_EQ(DecodeInteger(std::u16string(2, blank) + u"-42"), -42) << int{blank};
  }
  for (const char16_t other : {u'\b', u'\x0E', u'\x1F', u'\xA0'}) {
    EXPECT_EQ(DecodeInteger(std::u16string(1, other) + u"42"), 0) << int{other};
  }
}

TEST(ValueEncoding, NamesCompareWithoutCase) {
  EXPECT_TRUE(EqualsIgnoringCase(u"PrOjEcT", "project"));
  EXPECT_FALSE(EqualsIgnoringCase(u"projects", "project"));
  // A prefix is not the name.
  EXPECT_FALSE(EqualsIgnoringCase(u"proj", "project"));
  EXPECT_FALSE(EqualsIgnoringCase(u"", "project"));
  EXPECT_FALSE(EqualsIgnoringCase(u"proj\u0130ct", "project"));
}

TEST(ValueEncoding, CaseFoldingCoversAToZAndNothingBeside) {
  EXPECT_TRUE(EqualsIgnoringCase(u"AZ", "az"));
  EXPECT_TRUE(EqualsIgnoringCase(u"az", "AZ"));
  EXPECT_FALSE(EqualsIgnoringCase(u"@", "`"));  // the neighbours of A and a
  EXPECT_FALSE(EqualsIgnoringCase(u"[", "{"));  // the neighbours of Z and z
}

TEST(ProjectPath, ExtensionRule) {
  EXPECT_EQ(WithProjectExtension("C:\\Work\\kiosk"), "C:\\Work\\kiosk.bcp");
  EXPECT_EQ(WithProjectExtension("C:\\Work\\KIOSK.BCP"), "C:\\Work\\KIOSK.BCP");
  EXPECT_EQ(WithProjectExtension("C:\\Work\\shopbcp"), "C:\\Work\\shopbcp");
  EXPECT_EQ(WithProjectExtension("C:\\Work\\report.txt"), "C:\\Work\\report.txt.bcp");
  EXPECT_EQ(WithProjectExtension("cp"), "cp.bcp");
  EXPECT_EQ(WithProjectExtension("bcp"), "bcp");
  EXPECT_EQ(WithProjectExtension("BcP"), "BcP");
}

TEST(ProjectPath, NameRule) {
  EXPECT_EQ(ProjectNameFromPath("C:\\Work\\kiosk.bcp"), "kiosk");
  EXPECT_EQ(ProjectNameFromPath("C:\\Work\\KIOSK.BCP"), "KIOSK");
  EXPECT_EQ(ProjectNameFromPath("C:\\Work\\shopbcp"), "shopbcp");
  EXPECT_EQ(ProjectNameFromPath("C:\\my.work\\shopbcp"), "");
  EXPECT_EQ(ProjectNameFromPath("C:\\Work\\report.txt.bcp"), "report.txt");
  EXPECT_EQ(ProjectNameFromPath("C:\\Work\\.bcp"), "");
  EXPECT_EQ(ProjectNameFromPath("plain.bcp"), "plain");
}

TEST(ParseErrorReport, OneLineInTheFixedFormat) {
  EXPECT_EQ(FormatParseErrorReport("C:\\Work\\shop.bcp", {4, "</b>", "end tag a"}),
            "C:\\Work\\shop.bcp : Error on line 4. Found </b> while expecting end tag a\r\n");
}

TEST(ParseErrorReport, SourceLinesAreCleanedAndCut) {
  const std::string content = "first\r\n  se\tcond \x01\n" + std::string(200, 'x');
  EXPECT_EQ(ReportLineOf(content, 1), "first");
  EXPECT_EQ(ReportLineOf(content, 2), "se cond");
  EXPECT_EQ(ReportLineOf(content, 3), std::string(kReportTextLimit, 'x'));
  EXPECT_EQ(ReportLineOf(content, 9), "");
  EXPECT_EQ(ReportText("Start tag expected\n"), "Start tag expected");
  // Every control character becomes a blank, DEL too; the printable ones stay.
  EXPECT_EQ(ReportText("a\x1F b\x7F" "c\x00" "d"s), "a  b c d");
  EXPECT_EQ(ReportText("~\x80\xFF"), "~\x80\xFF");
}

}  // namespace
}  // namespace builder::project_file
