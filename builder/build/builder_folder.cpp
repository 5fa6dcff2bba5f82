#include "builder/build/builder_folder.h"

#include <windows.h>

#include "builder/build/core/builder_paths.h"
#include "framework/message_box.h"
#include "framework/module_path.h"

namespace builder {

namespace {
constexpr const char* kFolderTooDeep =
    "The builder's folder is too deep: its path must be shorter than 260 characters. "
    "Please move Brindlecove to a shorter folder.";
}  // namespace

std::optional<std::string> EnterBuilderFolder() {
  auto folder = BuilderFolderFromModulePath(framework::ModulePath());
  if (!folder) {
    framework::FrameworkMessageBox(kFolderTooDeep);
    return std::nullopt;
  }
  SetCurrentDirectoryA(folder->c_str());
  return folder;
}

std::optional<std::string> CurrentFolder() {
  char folder[kPathBufferSize] = {};
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return std::nullopt;
  return std::string(folder, length);
}

}  // namespace builder
