#pragma once
#include <string>
#include <vector>

namespace build_tool {

// The project files that one argument names: the argument itself, or, for a
// pattern with * or ? (cmd hands them over unexpanded), the files that match
// it in its folder, sorted by name; none when nothing matches.
std::vector<std::string> ProjectFilesOf(const std::string& argument);

}  // namespace build_tool
