#pragma once
// The package's setup library and its four hooks, called as the CE installer
// calls them. A hook the library does not export counts as "go on".
#include <windows.h>

#include <string>

#include "device/setup/setup_hooks.h"

namespace ce_installer {

class SetupLibrary {
 public:
  // No library at all when path is empty.
  explicit SetupLibrary(const std::wstring& path);
  ~SetupLibrary();
  SetupLibrary(const SetupLibrary&) = delete;
  SetupLibrary& operator=(const SetupLibrary&) = delete;

  // False when a library was named but does not load.
  bool usable() const { return path_empty_ || module_ != nullptr; }

  codINSTALL_INIT InstallInit(HWND parent, bool previously_installed, const std::wstring& install_dir) const;
  codINSTALL_EXIT InstallExit(HWND parent, const std::wstring& install_dir) const;
  codUNINSTALL_INIT UninstallInit(HWND parent, const std::wstring& install_dir) const;
  codUNINSTALL_EXIT UninstallExit(HWND parent) const;

 private:
  template <class Hook>
  Hook Find(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Hook>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  bool path_empty_;
  HMODULE module_ = nullptr;
};

}  // namespace ce_installer
