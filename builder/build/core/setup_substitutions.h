#pragma once
#include <string_view>

#include "builder/build/core/setup_template.h"
#include "builder/main_window/project_settings.h"

namespace builder::build {

// The setup substitution list of a project, in the order Build applies it.
// languageName is the selected entry of the language table.
SetupSubstitutionList SetupSubstitutions(const main_window::ProjectSettings& settings, std::string_view languageName);

}  // namespace builder::build
