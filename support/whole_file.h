#pragma once
#include <string>

namespace support {

// The whole content of a file, read as bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace support
