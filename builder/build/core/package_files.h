#pragma once
#include <string>

#include "builder/project/application_list.h"

namespace builder::build {

// set.alf: per entry "autolaunch;hide;label;path;params;", texts unescaped,
// no line ends, in list order.
std::string ApplicationListFileBytes(const project::ApplicationList& list);

// abce.pac: the code's digits and nothing else (0 bytes without a code).
std::string AdminCodeFileBytes(const std::string& admincode);

}  // namespace builder::build
