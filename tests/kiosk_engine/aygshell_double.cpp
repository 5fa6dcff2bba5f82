// Takes aygshell.dll's place in the emulated device's \Windows, which has
// none: records each SHFullScreen call, one line of its state bits in hex,
// in shfullscreen.log next to itself, and succeeds.
#include <windows.h>

#include <cstdio>

namespace {

HMODULE self = nullptr;

}  // namespace

// BOOL SHFullScreen(HWND hwndRequester, DWORD dwState), as aygshell.h declares it.
extern "C" __declspec(dllexport) BOOL WINAPI SHFullScreen(HWND hwndRequester, DWORD dwState) {
  if (!IsWindow(hwndRequester)) return FALSE;
  char log[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(self, log, MAX_PATH);
  DWORD folderEnd = length;
  while (folderEnd > 0 && log[folderEnd - 1] != '\\') --folderEnd;
  std::snprintf(log + folderEnd, MAX_PATH - folderEnd, "shfullscreen.log");
  if (FILE* file = std::fopen(log, "a")) {
    std::fprintf(file, "0x%02lx\n", static_cast<unsigned long>(dwState));
    std::fclose(file);
  }
  return TRUE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}
