#include "support/files.h"

#include <cstdio>

namespace support {
namespace {

std::optional<std::string> ReadAndClose(FILE* file) {
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char block[4096];
  for (size_t read; (read = std::fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, read);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

bool WriteAndClose(FILE* file, const std::string& bytes) {
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  return ReadAndClose(_wfopen(path.c_str(), L"rb"));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  return ReadAndClose(std::fopen(path.c_str(), "rb"));
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  return WriteAndClose(_wfopen(path.c_str(), L"wb"), bytes);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  return WriteAndClose(std::fopen(path.c_str(), "wb"), bytes);
}

}  // namespace support
