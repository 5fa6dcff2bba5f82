// A setup library for the installer tests: each hook appends a line to the
// file that BC_FAKE_HOOKS_LOG names, telling what it was given and whether
// the engine file was in the installation folder at that moment.
// BC_FAKE_HOOKS_ANSWER makes a hook refuse: "cancel_install" (Install_Init),
// "undo_install" (Install_Exit) or "cancel_uninstall" (Uninstall_Init).
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/ce_setup.h"
#include "support/text.h"

namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t value[1024] = {};
  return GetEnvironmentVariableW(name, value, 1024) ? value : L"";
}

bool Answer(const wchar_t* refusal) { return Variable(L"BC_FAKE_HOOKS_ANSWER") == refusal; }

// Device paths resolve on the current drive, as the installer arranges.
bool EngineIn(const std::wstring& folder) {
  return GetFileAttributesW((folder + L"\\Brindlecove.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Note(const std::string& line) {
  if (FILE* log = _wfopen(Variable(L"BC_FAKE_HOOKS_LOG").c_str(), L"ab")) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
  }
}

std::string Flag(const char* name, bool value) { return std::string(" ") + name + "=" + (value ? "1" : "0"); }

}  // namespace

extern "C" __declspec(dllexport) codINSTALL_INIT Install_Init(HWND parent, BOOL first, BOOL previous, LPCWSTR dir) {
  Note("Install_Init dir=" + support::Narrow(dir, CP_UTF8) + Flag("first", first) + Flag("previous", previous) +
       Flag("owner", parent != nullptr) + Flag("engine", EngineIn(dir)));
  return Answer(L"cancel_install") ? codINSTALL_INIT_CANCEL : codINSTALL_INIT_CONTINUE;
}

extern "C" __declspec(dllexport) codINSTALL_EXIT Install_Exit(HWND parent, LPCWSTR dir, WORD dirs, WORD files,
                                                              WORD keys, WORD values, WORD shortcuts) {
  Note("Install_Exit dir=" + support::Narrow(dir, CP_UTF8) + Flag("owner", parent != nullptr) +
       Flag("engine", EngineIn(dir)) + Flag("failures", dirs + files + keys + values + shortcuts != 0));
  return Answer(L"undo_install") ? codINSTALL_EXIT_UNINSTALL : codINSTALL_EXIT_DONE;
}

extern "C" __declspec(dllexport) codUNINSTALL_INIT Uninstall_Init(HWND parent, LPCWSTR dir) {
  Note("Uninstall_Init dir=" + support::Narrow(dir, CP_UTF8) + Flag("owner", parent != nullptr) +
       Flag("engine", EngineIn(dir)));
  return Answer(L"cancel_uninstall") ? codUNINSTALL_INIT_CANCEL : codUNINSTALL_INIT_CONTINUE;
}

extern "C" __declspec(dllexport) codUNINSTALL_EXIT Uninstall_Exit(HWND parent) {
  Note("Uninstall_Exit" + Flag("owner", parent != nullptr));
  return codUNINSTALL_EXIT_DONE;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
