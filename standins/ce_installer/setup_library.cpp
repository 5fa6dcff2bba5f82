#include "standins/ce_installer/setup_library.h"

namespace standins::ce_installer {

SetupLibrary::SetupLibrary(const std::wstring& path) : path_empty_(path.empty()), library_(path) {}

codINSTALL_INIT SetupLibrary::InstallInit(HWND parent, bool previously_installed, const std::wstring& install_dir) const {
  auto hook = library_.Bind<InstallInitHook>("Install_Init");
  // Called once per installation, so always its first call.
  return hook ? hook(parent, TRUE, previously_installed ? TRUE : FALSE, install_dir.c_str()) : codINSTALL_INIT_CONTINUE;
}

codINSTALL_EXIT SetupLibrary::InstallExit(HWND parent, const std::wstring& install_dir) const {
  auto hook = library_.Bind<InstallExitHook>("Install_Exit");
  // Every item is in place when it runs: a failed one undoes the whole
  // installation before, so no directory, file, key, value or shortcut failed.
  return hook ? hook(parent, install_dir.c_str(), 0, 0, 0, 0, 0) : codINSTALL_EXIT_DONE;
}

codUNINSTALL_INIT SetupLibrary::UninstallInit(HWND parent, const std::wstring& install_dir) const {
  auto hook = library_.Bind<UninstallInitHook>("Uninstall_Init");
  return hook ? hook(parent, install_dir.c_str()) : codUNINSTALL_INIT_CONTINUE;
}

codUNINSTALL_EXIT SetupLibrary::UninstallExit(HWND parent) const {
  auto hook = library_.Bind<UninstallExitHook>("Uninstall_Exit");
  return hook ? hook(parent) : codUNINSTALL_EXIT_DONE;
}

}  // namespace standins::ce_installer
