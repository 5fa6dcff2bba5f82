#include <windows.h>

#include "support/files.h"

namespace support {

std::string FullPath(const std::string& path) {
  const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::string full(size, '\0');
  full.resize(GetFullPathNameA(path.c_str(), size, full.data(), nullptr));
  return full;
}

}  // namespace support
