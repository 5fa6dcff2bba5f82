#pragma once
// The reviewed table of the core library's functions that the device modules
// may import: one "Function ordinal" a line, '#' starts a comment.
#include <cstdint>
#include <map>
#include <string>

namespace ce_image_tool {

using OrdinalTable = std::map<std::string, uint16_t>;

// Throws ImageError naming the line of a malformed entry, an ordinal outside
// 1..65535, or a function or ordinal listed twice.
OrdinalTable ReadOrdinalTable(const std::string& text);

}  // namespace ce_image_tool
