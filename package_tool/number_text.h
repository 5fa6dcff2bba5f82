#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace package_tool {

// A decimal or "0x" hexadecimal number of at most 32 bits; nothing else.
std::optional<uint32_t> ParseUnsigned32(std::string_view text);

}  // namespace package_tool
