// BCESetup.dll: the package's setup library. After installation it offers a
// reset or an immediate start, and in either case starts the kiosk engine.
#include <type_traits>

#include "device/ce_platform.h"
#include "device/engine_contract/engine_contract.h"
#include "device/setup/engine_path.h"
#include "platform/ce_setup.h"

namespace {

constexpr wchar_t kCaption[] = L"Brindlecove Setup";
constexpr wchar_t kResetQuestion[] = L"Device will reset automatically to avoid any startup issues. Reset now?";
constexpr wchar_t kStartQuestion[] = L"Would you like to start Kiosk mode now?";

bool AskYesNo(HWND parent, const wchar_t* question) {
  return MessageBoxW(parent, question, kCaption, MB_YESNO) == IDYES;
}

// Starts the engine without waiting; a failed start is not reported.
void StartEngine(const wchar_t* enginePath, bool reset) {
  // The command line is writable, as process creation may change it.
  auto resetArgument = device::engine_contract::kEngineResetArgument;
  wchar_t noArgument[1] = {};
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(enginePath, reset ? resetArgument.wide : noArgument, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                     nullptr, nullptr, device::StartupInfo(), &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

}  // namespace

// The hooks keep the installer's calling convention and are exported by
// their plain names (BCESetup.def).
extern "C" codINSTALL_INIT __cdecl Install_Init(HWND, BOOL, BOOL, LPCWSTR) { return codINSTALL_INIT_CONTINUE; }

extern "C" codINSTALL_EXIT __cdecl Install_Exit(HWND hwndParent, LPCWSTR pszInstallDir, WORD, WORD, WORD, WORD,
                                                   WORD) {
  // An engine path that does not fit is refused; the questions stay the same.
  wchar_t enginePath[device::setup::kEnginePathUnits];
  const bool pathFits = device::setup::EnginePathIn(pszInstallDir, enginePath);
  const bool reset = AskYesNo(hwndParent, kResetQuestion);
  if ((reset || AskYesNo(hwndParent, kStartQuestion)) && pathFits) StartEngine(enginePath, reset);
  return codINSTALL_EXIT_DONE;
}

extern "C" codUNINSTALL_INIT __cdecl Uninstall_Init(HWND, LPCWSTR) { return codUNINSTALL_INIT_CONTINUE; }

extern "C" codUNINSTALL_EXIT __cdecl Uninstall_Exit(HWND) { return codUNINSTALL_EXIT_DONE; }

static_assert(std::is_same_v<decltype(&Install_Init), InstallInitHook>);
static_assert(std::is_same_v<decltype(&Install_Exit), InstallExitHook>);
static_assert(std::is_same_v<decltype(&Uninstall_Init), UninstallInitHook>);
static_assert(std::is_same_v<decltype(&Uninstall_Exit), UninstallExitHook>);

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
