#pragma once
#include <string>
#include <string_view>

namespace builder::project_file {

// What the XML parser said about the first error of a file.
struct ParseErrorRecord {
  long line = 0;
  std::string found;
  std::string expected;
};

// "<path> : Error on line <n>. Found <found> while expecting <expected>\r\n"
std::string FormatParseErrorReport(const std::string& path, const ParseErrorRecord& record);

// Line number `line` (counted from 1) of a file's content, fit for one line of
// report: control characters become blanks, surrounding blanks go, and a long
// line is cut at kReportTextLimit characters.
std::string ReportLineOf(std::string_view content, long line);
// The same clean-up for a parser's message.
std::string ReportText(std::string_view text);

inline constexpr size_t kReportTextLimit = 80;

}  // namespace builder::project_file
