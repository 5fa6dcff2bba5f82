#include "builder/build/core/builder_paths.h"

#include <algorithm>

namespace builder {

namespace {

// The longest name any command uses below the builder's folder.
constexpr size_t kLongestTail = std::max({kOutputFolderTail.size(), kHelpPageTail.size(), sizeof "\\setup_tmpl.inf" - 1,
                                          sizeof "\\installsetup.bat" - 1});

}  // namespace

std::optional<std::string> JoinPath(std::string_view folder, std::string_view tail) {
  if (folder.size() + tail.size() >= kPathBufferSize) return std::nullopt;
  std::string joined(folder);
  joined += tail;
  return joined;
}

std::optional<std::string> BuilderFolderFromModulePath(std::string_view modulePath) {
  if (modulePath.size() >= kPathBufferSize - 1) return std::nullopt;
  const size_t slash = modulePath.find_last_of('\\');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view folder = modulePath.substr(0, slash);
  if (folder.size() + kLongestTail >= kPathBufferSize) return std::nullopt;
  return std::string(folder);
}

}  // namespace builder
