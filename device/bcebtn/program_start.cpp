// The device's loader calls a program's WinMain with the wide command line
// (its arguments only); a desktop loader calls a bare entry point instead.
// This entry point plays the device's loader.
#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);

namespace {

// The arguments: what follows the program's name, quoted or not, and the
// blanks after it.
LPWSTR ArgumentsOf(LPWSTR commandLine) {
  const bool quoted = *commandLine == L'"';
  if (quoted) ++commandLine;
  while (*commandLine != L'\0' && (quoted ? *commandLine != L'"' : *commandLine != L' ' && *commandLine != L'\t')) {
    ++commandLine;
  }
  if (quoted && *commandLine == L'"') ++commandLine;
  while (*commandLine == L' ' || *commandLine == L'\t') ++commandLine;
  return commandLine;
}

}  // namespace

// The program's exit code is what WinMain returns.
extern "C" int DeviceProgramStart() {
  return wWinMain(reinterpret_cast<HINSTANCE>(&__ImageBase), nullptr, ArgumentsOf(GetCommandLineW()), SW_SHOWDEFAULT);
}
