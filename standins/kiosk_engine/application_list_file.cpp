#include "standins/kiosk_engine/application_list_file.h"

#include <array>

namespace standins::kiosk_engine {

namespace {

constexpr char kFieldEnd = ';';
constexpr size_t kFieldsPerRecord = 5;

}  // namespace

std::vector<AllowedApplication> ParseApplicationList(std::string_view content) {
  std::vector<AllowedApplication> applications;
  std::array<std::string_view, kFieldsPerRecord> fields;
  size_t field = 0;
  for (size_t end = content.find(kFieldEnd); end != std::string_view::npos; end = content.find(kFieldEnd)) {
    fields[field++] = content.substr(0, end);
    content.remove_prefix(end + 1);
    if (field < kFieldsPerRecord) continue;
    field = 0;
    applications.push_back({fields[0] == "1", fields[1] == "1", std::string(fields[2]), std::string(fields[3]),
                            std::string(fields[4])});
  }
  return applications;
}

std::string DescribeApplication(const AllowedApplication& application) {
  std::string line = application.displayName + " - " + application.path;
  if (!application.params.empty()) line += " " + application.params;
  if (application.autolaunch) line += " (auto)";
  if (application.hideInKioskDesktop) line += " (hidden)";
  return line;
}

}  // namespace standins::kiosk_engine
