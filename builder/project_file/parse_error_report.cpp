#include "builder/project_file/parse_error_report.h"

namespace builder::project_file {

std::string FormatParseErrorReport(const std::string& path, const ParseErrorRecord& record) {
  return path + " :" + " Error on line " + std::to_string(record.line) + ". Found " + record.found +
         " while expecting " + record.expected + "\r\n";
}

std::string ReportText(std::string_view text) {
  std::string clean;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    clean.push_back(byte < 0x20 || byte == 0x7F ? ' ' : c);
  }
  const size_t first = clean.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  clean = clean.substr(first, clean.find_last_not_of(' ') - first + 1);
  if (clean.size() > kReportTextLimit) clean.resize(kReportTextLimit);
  return clean;
}

std::string ReportLineOf(std::string_view content, long line) {
  size_t start = 0;
  for (long current = 1; current < line; ++current) {
    const size_t newline = content.find('\n', start);
    if (newline == std::string_view::npos) return {};
    start = newline + 1;
  }
  const size_t end = content.find('\n', start);
  return ReportText(content.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

}  // namespace builder::project_file
