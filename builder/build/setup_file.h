#pragma once
#include "builder/build/core/setup_template.h"

namespace builder::build {

// Fills setup.inf from setup_tmpl.inf in the current folder. Null when done,
// or the message that says why not: the template's size cannot be found or it
// reads short. A setup.inf that cannot be written is skipped silently.
const char* FillSetupFile(const SetupSubstitutionList& substitutions);

}  // namespace builder::build
