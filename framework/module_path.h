#pragma once
#include <string>

namespace framework {

// Full path of the running executable; empty when it does not fit 260 bytes.
std::string ModulePath();
// The executable's base name without extension: the program's name.
std::string ProgramName();

}  // namespace framework
