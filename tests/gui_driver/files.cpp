#include <cstdio>

#include "tests/gui_driver/gui_driver.h"

namespace gui_driver {

std::string ReadWholeFile(const std::string& path) {
  std::string content;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char block[65536];
    while (const size_t count = std::fread(block, 1, sizeof block, file)) content.append(block, count);
    std::fclose(file);
  }
  return content;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace gui_driver
