#include "builder/build/builder_folder.h"

#include <windows.h>

#include "builder/build/core/builder_paths.h"
#include "framework/module_path.h"

namespace builder::build {

std::optional<std::string> EnterBuilderFolder() {
  const auto folder = BuilderFolderFromModulePath(framework::ModulePath());
  // Relative names must not land in another folder: a folder that cannot be
  // made current stops the command, silently like its other failures.
  if (!folder || !SetCurrentDirectoryA(folder->c_str())) return std::nullopt;
  return folder;
}

std::optional<std::string> CurrentFolder() {
  char folder[kPathBufferSize] = {};
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return std::nullopt;
  return std::string(folder, length);
}

}  // namespace builder::build
