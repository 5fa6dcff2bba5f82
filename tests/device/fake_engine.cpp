// Takes the kiosk engine's place for the setup hook tests: records the
// command line it was given in command_line.txt next to itself (UTF-16).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring record = path;
  record = record.substr(0, record.find_last_of(L'\\')) + L"\\command_line.txt";
  const wchar_t* commandLine = GetCommandLineW();
  if (FILE* file = _wfopen(record.c_str(), L"wb")) {
    std::fwrite(commandLine, sizeof(wchar_t), std::wcslen(commandLine), file);
    std::fclose(file);
  }
  return 0;
}
