#pragma once
#include "package_tool/inf_file.h"
#include "package_tool/install_model.h"
#include "package_tool/macro_expander.h"

namespace package_tool {

// One line of an AddReg section: root, subkey, value name, flags, data...
// Throws PackageError naming the line when any part is malformed.
RegistryValue ParseRegistryLine(const InfFile& inf, const InfLine& line, const MacroExpander& macros);

}  // namespace package_tool
