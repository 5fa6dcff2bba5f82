#include "support/whole_file.h"

#include <cstdio>

namespace support {

std::string ReadWholeFile(const std::string& path) {
  std::string content;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char block[65536];
    while (const size_t count = std::fread(block, 1, sizeof block, file)) content.append(block, count);
    std::fclose(file);
  }
  return content;
}

}  // namespace support
