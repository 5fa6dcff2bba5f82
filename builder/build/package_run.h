#pragma once
#include <string_view>

#include "builder/main_window/project_settings.h"
#include "builder/project/application_list.h"

namespace builder::build {

// How far a package run came.
struct PackageRun {
  bool scriptRan = false;
  // The message of a template that could not be read; nothing was written then.
  const char* failure = nullptr;
};

// Everything of Build after its checks that needs no window, in the current
// folder (the builder's, or bcbuild's work folder): fills setup.inf from
// setup_tmpl.inf, writes abce.pac, set.alf and bce_logofile, runs mksetup.bat
// hidden and waits for it, then deletes abce.pac. The logo is named by a full
// path, since the current folder is not the one it was checked in.
PackageRun MakePackage(const main_window::ProjectSettings& settings, const project::ApplicationList& applications,
                       std::string_view language);

}  // namespace builder::build
