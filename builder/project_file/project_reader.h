#pragma once
#include <optional>
#include <string>

#include "builder/project_file/project_document.h"

namespace builder::project_file {

// What reading a project file came to.
struct ProjectFileReading {
  bool isProject = false;      // the root is a project of this builder; its name was taken
  bool settingsTaken = false;  // and it had children, which were read
  // The parse error line, "<path> : Error on line ...\r\n", when the file did not parse.
  std::optional<std::string> parseErrorReport;
};

// Reads the file into a project that the caller has just started anew, taking
// what it recognises and leaving the rest. The calling thread has initialised
// the component model.
ProjectFileReading ReadProjectFile(const std::string& path, const ProjectReadTarget& target);

}  // namespace builder::project_file
