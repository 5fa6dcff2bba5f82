#include "builder/build/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace builder::build {

namespace {

bool ShellExecute(const char* file, const char* parameters, const char* className, ULONG mask) {
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = mask | (className ? SEE_MASK_CLASSNAME : 0);
  execute.hwnd = nullptr;
  execute.lpVerb = "open";
  execute.lpFile = file;
  execute.lpParameters = parameters;
  execute.lpClass = className;
  execute.nShow = SW_SHOWNORMAL;
  return ShellExecuteExA(&execute) != FALSE;
}

bool IsFolder(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

void ShellOpen(const char* path) { ShellExecute(path, nullptr, nullptr, 0); }

void OpenFolder(const char* path) {
  if (ShellExecute(path, nullptr, "folder", SEE_MASK_FLAG_NO_UI)) return;
  if (!IsFolder(path)) return;
  std::string quoted = "\"";
  quoted.append(path).append("\"");
  ShellExecute("explorer.exe", quoted.c_str(), nullptr, SEE_MASK_FLAG_NO_UI);
}

}  // namespace builder::build
