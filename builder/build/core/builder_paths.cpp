#include "builder/build/core/builder_paths.h"

namespace builder::build {

std::optional<std::string> JoinPath(std::string_view folder, std::string_view tail) {
  if (folder.size() + tail.size() >= kPathBufferSize) return std::nullopt;
  std::string joined(folder);
  joined += tail;
  return joined;
}

std::optional<std::string> BuilderFolderFromModulePath(std::string_view modulePath) {
  const size_t slash = modulePath.find_last_of('\\');
  if (slash == std::string_view::npos) return std::nullopt;
  return std::string(modulePath.substr(0, slash));
}

}  // namespace builder::build
