#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace standins::kiosk_engine {

// One record of set.alf: the package's list of allowed applications.
struct AllowedApplication {
  bool autolaunch = false;
  bool hideInKioskDesktop = false;
  std::string displayName;
  std::string path;
  std::string params;
};

// Records of five fields, each field ended by ';', no line ends. A ';' inside
// a text is not escaped, so it shifts the fields after it; an unfinished last
// record is dropped.
std::vector<AllowedApplication> ParseApplicationList(std::string_view content);

// One line of the kiosk window: "label - path params", with "(auto)" and
// "(hidden)" marks.
std::string DescribeApplication(const AllowedApplication& application);

}  // namespace standins::kiosk_engine
