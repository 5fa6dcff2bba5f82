#pragma once
#include <string>
#include <vector>

#include "builder/project/application_list.h"

namespace builder::project {

inline ApplicationEntry Entry(const std::string& path, const std::string& label = "") {
  return ApplicationEntry{label, path, "", 0, 0};
}

inline std::vector<std::string> Paths(const ApplicationList& list) {
  std::vector<std::string> paths;
  for (int i = 0; i < list.Count(); ++i) paths.push_back(list.EntryAt(i).path);
  return paths;
}

}  // namespace builder::project
