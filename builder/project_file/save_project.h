#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "builder/main_window/project_settings.h"
#include "builder/project/application_list.h"

namespace builder::project_file {

// Asks where to save the project, with the project extension added when the
// chosen name lacks it; nothing when the user cancels.
std::optional<std::string> AskProjectToSave(HWND owner);

// Names the project after the file and writes it there; false, leaving the
// old file as it was, when a step of the writing failed.
bool WriteProjectFile(const std::string& path, main_window::ProjectSettings& settings,
                      const project::ApplicationList& applications, std::string_view language);

}  // namespace builder::project_file
