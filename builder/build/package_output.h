#pragma once
#include <string>

#include "builder/project/application_list.h"

namespace builder::build {

// Writes abce.pac, set.alf and bce_logofile (a copy of logo) in the current
// folder. A file that cannot be written or copied is skipped.
void WritePackageFiles(const std::string& admincode, const std::string& logo, const project::ApplicationList& list);

// Runs mksetup.bat hidden and waits for it, then deletes abce.pac. False when
// the script could not be started; abce.pac then stays.
bool RunPackageScript();

}  // namespace builder::build
