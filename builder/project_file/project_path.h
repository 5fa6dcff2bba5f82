#pragma once
#include <string>
#include <string_view>

namespace builder::project_file {

inline constexpr const char* kProjectFileFilter = "Brindlecove Project (*.bcp)|*.bcp||";

// A path whose last three characters are not "bcp" (in any case) gains ".bcp".
std::string WithProjectExtension(std::string path);

// The text between the last backslash and the last dot of the path (to its end
// without a dot); empty when the last dot comes before the last backslash.
std::string ProjectNameFromPath(std::string_view path);

}  // namespace builder::project_file
