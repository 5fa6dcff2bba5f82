#include "ce_image_tool/export_list.h"

#include <sstream>

#include "ce_image_tool/image_error.h"

namespace ce_image_tool {

ExportList ReadExportList(const std::string& text) {
  ExportList list;
  bool inExports = false;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line.substr(0, line.find(';')));
    std::string word, extra;
    if (!(fields >> word)) continue;
    if (word == "LIBRARY") {
      fields >> list.library;
    } else if (word == "EXPORTS") {
      inExports = true;
    } else if (!inExports || (fields >> extra)) {
      throw ImageError("unexpected module definition line: " + line);
    } else {
      list.names.push_back(word);
    }
  }
  if (list.library.empty()) throw ImageError("the module definition names no LIBRARY");
  if (list.names.empty()) throw ImageError("the module definition exports nothing");
  return list;
}

}  // namespace ce_image_tool
