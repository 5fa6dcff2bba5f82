#include "package_tool/package_error.h"

namespace package_tool {
namespace {

std::string Located(const std::string& file, int line, const std::string& message) {
  std::string where = line > 0 ? file + "(" + std::to_string(line) + ")" : file;
  return where + ": error: " + message;
}

}  // namespace

PackageError::PackageError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(Located(file, line, message)) {}

}  // namespace package_tool
