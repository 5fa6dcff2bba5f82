#include "builder/project_file/project_path.h"

#include <cctype>

namespace builder::project_file {

std::string WithProjectExtension(std::string path) {
  static constexpr std::string_view kExtension = "bcp";
  bool hasExtension = path.size() >= kExtension.size();
  for (size_t i = 0; hasExtension && i < kExtension.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[path.size() - kExtension.size() + i]);
    hasExtension = std::tolower(c) == kExtension[i];
  }
  if (!hasExtension) path += ".bcp";
  return path;
}

std::string ProjectNameFromPath(std::string_view path) {
  const size_t backslash = path.rfind('\\');
  const size_t dot = path.rfind('.');
  const size_t start = backslash == std::string_view::npos ? 0 : backslash + 1;
  const size_t end = dot == std::string_view::npos ? path.size() : dot;
  if (end < start) return {};
  return std::string(path.substr(start, end - start));
}

}  // namespace builder::project_file
