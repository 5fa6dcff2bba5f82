#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace builder::build {

// The Win32 path buffers: 260 bytes, terminating zero included.
inline constexpr size_t kPathBufferSize = 260;

// Fixed tails joined to the builder's folder (each begins with a backslash).
inline constexpr std::string_view kOutputFolderTail = "\\output";
inline constexpr std::string_view kHelpPageTail = "\\docs\\index.html";

// folder followed by tail, or nothing when the result would not fit a path buffer.
std::optional<std::string> JoinPath(std::string_view folder, std::string_view tail);

// The builder's folder from the executable's full path: cut at the last
// backslash; nothing when there is none (an empty path included). Files in
// it are named relative to it, so its depth alone refuses nothing.
std::optional<std::string> BuilderFolderFromModulePath(std::string_view modulePath);

}  // namespace builder::build
