#pragma once
// A module definition file's library name and exports, as the desktop build
// reads them too: "LIBRARY name", then "EXPORTS" and one plain name a line.
#include <string>
#include <vector>

namespace ce_image_tool {

struct ExportList {
  std::string library;
  std::vector<std::string> names;
};

// Throws ImageError when the file names no library, exports nothing, or
// lists an export with more than its name (ordinals and aliases are not used).
ExportList ReadExportList(const std::string& text);

}  // namespace ce_image_tool
