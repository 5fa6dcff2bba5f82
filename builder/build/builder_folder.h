#pragma once
#include <optional>
#include <string>

namespace builder {

// Makes the builder's folder the current folder and returns it. A folder too
// deep for the path buffers is refused with a message box and nothing else.
std::optional<std::string> EnterBuilderFolder();

// The process's current folder, or nothing when it does not fit a path buffer.
std::optional<std::string> CurrentFolder();

}  // namespace builder
