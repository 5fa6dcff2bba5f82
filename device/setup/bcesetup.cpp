// BCESetup.dll: the package's setup library. After installation it offers a
// reset or an immediate start, and in either case starts the kiosk engine.
#include <string>
#include <type_traits>

#include "device/engine_contract/engine_contract.h"
#include "device/setup/engine_path.h"
#include "device/setup/setup_hooks.h"

namespace {

constexpr wchar_t kCaption[] = L"Brindlecove Setup";
constexpr wchar_t kResetQuestion[] = L"Device will reset automatically to avoid any startup issues. Reset now?";
constexpr wchar_t kStartQuestion[] = L"Would you like to start Kiosk mode now?";

bool AskYesNo(HWND parent, const wchar_t* question) {
  return MessageBoxW(parent, question, kCaption, MB_YESNO) == IDYES;
}

// Starts the engine without waiting; a failed start is not reported.
void StartEngine(const std::wstring& enginePath, const wchar_t* commandLine) {
  std::wstring writableCommandLine = commandLine;
  PROCESS_INFORMATION process = {};
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (CreateProcessW(enginePath.c_str(), writableCommandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                     nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

}  // namespace

extern "C" __declspec(dllexport) codINSTALL_INIT Install_Init(HWND, BOOL, BOOL, LPCWSTR) {
  return codINSTALL_INIT_CONTINUE;
}

extern "C" __declspec(dllexport) codINSTALL_EXIT Install_Exit(HWND hwndParent, LPCWSTR pszInstallDir, WORD, WORD,
                                                              WORD, WORD, WORD) {
  // An engine path that does not fit is refused; the questions stay the same.
  const std::optional<std::wstring> enginePath = bcesetup::EnginePathIn(pszInstallDir);
  const wchar_t* commandLine = nullptr;
  if (AskYesNo(hwndParent, kResetQuestion)) {
    commandLine = bc::engine::kEngineResetArgument.wide;
  } else if (AskYesNo(hwndParent, kStartQuestion)) {
    commandLine = L"";
  }
  if (commandLine != nullptr && enginePath) StartEngine(*enginePath, commandLine);
  return codINSTALL_EXIT_DONE;
}

extern "C" __declspec(dllexport) codUNINSTALL_INIT Uninstall_Init(HWND, LPCWSTR) { return codUNINSTALL_INIT_CONTINUE; }

extern "C" __declspec(dllexport) codUNINSTALL_EXIT Uninstall_Exit(HWND) { return codUNINSTALL_EXIT_DONE; }

static_assert(std::is_same_v<decltype(&Install_Init), InstallInitHook>);
static_assert(std::is_same_v<decltype(&Install_Exit), InstallExitHook>);
static_assert(std::is_same_v<decltype(&Uninstall_Init), UninstallInitHook>);
static_assert(std::is_same_v<decltype(&Uninstall_Exit), UninstallExitHook>);

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
