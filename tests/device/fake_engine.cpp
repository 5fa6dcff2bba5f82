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
  // Written aside and then renamed: the test reads the record as soon as it
  // exists, and must never see it empty or half written.
  const std::wstring written = record + L".new";
  const wchar_t* commandLine = GetCommandLineW();
  FILE* file = _wfopen(written.c_str(), L"wb");
  if (!file) return 1;
  const size_t units = std::wcslen(commandLine);
  const bool whole = std::fwrite(commandLine, sizeof(wchar_t), units, file) == units;
  if (std::fclose(file) != 0 || !whole) return 1;
  return MoveFileExW(written.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
