#pragma once
// The setup library's hooks as the device's package installer calls them:
// declared without a calling convention in the platform's header, so the C
// default, __cdecl.
#include <windows.h>

// The installer's answers; the hooks here only ever give the first of each.
enum codINSTALL_INIT { codINSTALL_INIT_CONTINUE = 0, codINSTALL_INIT_CANCEL };
enum codINSTALL_EXIT { codINSTALL_EXIT_DONE = 0, codINSTALL_EXIT_UNINSTALL };
enum codUNINSTALL_INIT { codUNINSTALL_INIT_CONTINUE = 0, codUNINSTALL_INIT_CANCEL };
enum codUNINSTALL_EXIT { codUNINSTALL_EXIT_DONE = 0 };

using InstallInitHook = codINSTALL_INIT (__cdecl*)(HWND hwndParent, BOOL fFirstCall, BOOL fPreviouslyInstalled,
                                            LPCWSTR pszInstallDir);
using InstallExitHook = codINSTALL_EXIT (__cdecl*)(HWND hwndParent, LPCWSTR pszInstallDir, WORD cFailedDirs,
                                            WORD cFailedFiles, WORD cFailedRegKeys, WORD cFailedRegVals,
                                            WORD cFailedShortcuts);
using UninstallInitHook = codUNINSTALL_INIT (__cdecl*)(HWND hwndParent, LPCWSTR pszInstallDir);
using UninstallExitHook = codUNINSTALL_EXIT (__cdecl*)(HWND hwndParent);
