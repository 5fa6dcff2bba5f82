#include "ce_image_tool/ordinal_table.h"

#include <set>
#include <sstream>

#include "ce_image_tool/image_error.h"

namespace ce_image_tool {

OrdinalTable ReadOrdinalTable(const std::string& text) {
  OrdinalTable table;
  std::set<unsigned long> ordinals;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    std::istringstream fields(line.substr(0, line.find('#')));
    std::string function, ordinalText, extra;
    if (!(fields >> function)) continue;
    const auto error = [&](const std::string& what) { return ImageError("line " + std::to_string(number) + ": " + what); };
    if (!(fields >> ordinalText) || (fields >> extra) ||
        ordinalText.find_first_not_of("0123456789") != std::string::npos || ordinalText.size() > 5)
      throw error("expected \"Function ordinal\"");
    const unsigned long ordinal = std::stoul(ordinalText);
    if (ordinal == 0 || ordinal > 0xFFFF) throw error("ordinal " + ordinalText + " is outside 1..65535");
    if (!ordinals.insert(ordinal).second) throw error("ordinal " + ordinalText + " is listed twice");
    if (!table.emplace(function, static_cast<uint16_t>(ordinal)).second) throw error(function + " is listed twice");
  }
  return table;
}

}  // namespace ce_image_tool
