#pragma once
#include "builder/build/core/setup_template.h"

namespace builder::build {

// Fills setup.inf from setup_tmpl.inf in the current folder. False, after
// its message box, when the template's size cannot be found or it reads short;
// a setup.inf that cannot be written is skipped silently.
bool FillSetupFile(const SetupSubstitutionList& substitutions);

}  // namespace builder::build
