#pragma once
#include <stdexcept>
#include <string>

namespace package_tool {

// A failure of the tool, reported as one line "file(line): error: message";
// line 0 names the file as a whole.
class PackageError : public std::runtime_error {
 public:
  PackageError(const std::string& file, int line, const std::string& message);
};

}  // namespace package_tool
