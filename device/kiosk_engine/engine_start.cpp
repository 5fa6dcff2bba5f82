// The desktop build's start: a desktop loader calls a bare entry point where
// the device's loader calls WinMain. The engine takes the whole command line,
// since a lone "r" would otherwise be dropped as the program's name.
#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);

// Ends the process, not only the thread: the window may have started others.
extern "C" void EngineStart() {
  ExitProcess(static_cast<UINT>(
      wWinMain(reinterpret_cast<HINSTANCE>(&__ImageBase), nullptr, GetCommandLineW(), SW_SHOWDEFAULT)));
}
