#pragma once
#include <optional>
#include <string>

namespace builder::build {

// Makes the builder's folder the current folder and returns it; nothing,
// without a message, when it cannot be found or made current.
std::optional<std::string> EnterBuilderFolder();

// The process's current folder, or nothing when it does not fit a path buffer.
std::optional<std::string> CurrentFolder();

}  // namespace builder::build
