#pragma once
#include <optional>
#include <string>

namespace framework {

// Full path of the running executable (at most 260 bytes).
std::string ModulePath();
// The executable's base name without extension: the program's name.
std::string ProgramName();
// The folder of the running executable, without a trailing backslash.
std::string ModuleFolder();

}  // namespace framework
