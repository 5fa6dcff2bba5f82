#pragma once
#include <set>
#include <string>

#include "build_tool/core/outcome.h"

namespace build_tool {

// Builds project files one after another as Build does, from the same code,
// in the work folder, and delivers each project's cabinets to
// <output folder>\<project name>\, one line each on the standard output.
// What stops a project goes to the standard error, after its path.
class ProjectBuilder {
 public:
  ProjectBuilder(std::string outputFolder, std::string workFolder);

  ProjectOutcome Build(const std::string& path);

 private:
  // Refuses a name that two projects of this run share, case ignored, so
  // that the second does not silently replace the first's cabinets.
  bool ClaimName(const std::string& name);

  std::string outputFolder_;
  std::string workFolder_;
  std::set<std::string> claimedNames_;
};

}  // namespace build_tool
