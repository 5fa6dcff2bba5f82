#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace gui_driver {

// Writes 8-bit RGB pixels (rows top to bottom) as a PNG file; false on failure.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace gui_driver
