#include "builder/build/core/text_file.h"

#include <cstdio>
#include <memory>

namespace builder::build {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string TextModeBytes(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

bool WriteTextModeFile(const std::string& path, std::string_view text) {
  // Converted here and written in binary, so the result is the same on every host.
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  const std::string bytes = TextModeBytes(text);
  return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool FileIsReadable(const std::string& path) { return File(std::fopen(path.c_str(), "r")) != nullptr; }

}  // namespace builder::build
