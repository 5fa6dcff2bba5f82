#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "builder/project_file/project_document.h"

namespace builder::project_file {

// Asks for the project file to load; nothing when the user cancels.
std::optional<std::string> AskProjectToLoad(HWND owner);

// Reads the file into a project that the caller has just started anew and
// writes the parse error line, if any, to the standard output. True when its
// settings were taken, so that the window must show them; a file that is
// there but is no project also clears the project's file path.
bool LoadProjectFile(const std::string& path, const ProjectReadTarget& target);

}  // namespace builder::project_file
