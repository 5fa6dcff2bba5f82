#include "standins/ce_installer/setup_library.h"

namespace standins::ce_installer {

SetupLibrary::SetupLibrary(const std::wstring& path) : pathEmpty_(path.empty()), library_(path) {}

codINSTALL_INIT SetupLibrary::InstallInit(HWND parent, bool previouslyInstalled, const std::wstring& installDir) const {
  auto hook = library_.Bind<InstallInitHook>("Install_Init");
  // Called once per installation, so always its first call.
  return hook ? hook(parent, TRUE, previouslyInstalled ? TRUE : FALSE, installDir.c_str()) : codINSTALL_INIT_CONTINUE;
}

codINSTALL_EXIT SetupLibrary::InstallExit(HWND parent, const std::wstring& installDir) const {
  auto hook = library_.Bind<InstallExitHook>("Install_Exit");
  // Every item is in place when it runs: a failed one undoes the whole
  // installation before, so no directory, file, key, value or shortcut failed.
  return hook ? hook(parent, installDir.c_str(), 0, 0, 0, 0, 0) : codINSTALL_EXIT_DONE;
}

codUNINSTALL_INIT SetupLibrary::UninstallInit(HWND parent, const std::wstring& installDir) const {
  auto hook = library_.Bind<UninstallInitHook>("Uninstall_Init");
  return hook ? hook(parent, installDir.c_str()) : codUNINSTALL_INIT_CONTINUE;
}

codUNINSTALL_EXIT SetupLibrary::UninstallExit(HWND parent) const {
  auto hook = library_.Bind<UninstallExitHook>("Uninstall_Exit");
  return hook ? hook(parent) : codUNINSTALL_EXIT_DONE;
}

}  // namespace standins::ce_installer
