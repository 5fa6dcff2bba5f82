#pragma once
#include <windows.h>

#include <string_view>

#include "builder/main_window/project_settings.h"
#include "builder/project/application_list.h"

namespace builder::build {

enum class BuildCheck {
  Passed,
  Stopped,
  CountdownReset,  // stopped, with the countdown put back to its default
};

// Refuses to build an empty list, with its message; false stops the build.
bool CheckApplicationsListed(HWND owner, const project::ApplicationList& applications);

// The countdown, logo and administrator code checks, with their messages.
BuildCheck CheckBuildSettings(HWND owner, main_window::ProjectSettings& settings);

// Tells where the packages go, then fills setup.inf, writes the package files
// and runs the package script in the builder's folder, and shows the output
// folder once the script has run.
void BuildPackage(HWND owner, const main_window::ProjectSettings& settings,
                  const project::ApplicationList& applications, std::string_view language);

}  // namespace builder::build
