#pragma once
// The package's setup library and its four hooks, called as the CE installer
// calls them. A hook the library does not export counts as "go on".
#include <windows.h>

#include <string>

#include "platform/ce_setup.h"
#include "support/library.h"

namespace standins::ce_installer {

class SetupLibrary {
 public:
  // No library at all when path is empty.
  explicit SetupLibrary(const std::wstring& path);
  // False when a library was named but does not load.
  bool Usable() const { return pathEmpty_ || library_.Loaded(); }

  codINSTALL_INIT InstallInit(HWND parent, bool previouslyInstalled, const std::wstring& installDir) const;
  codINSTALL_EXIT InstallExit(HWND parent, const std::wstring& installDir) const;
  codUNINSTALL_INIT UninstallInit(HWND parent, const std::wstring& installDir) const;
  codUNINSTALL_EXIT UninstallExit(HWND parent) const;

 private:
  bool pathEmpty_;
  support::Library library_;
};

}  // namespace standins::ce_installer
