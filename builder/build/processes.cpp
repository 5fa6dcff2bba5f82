#include "builder/build/processes.h"

#include <string>

namespace builder::build {

bool RunAndWait(const char* commandLine, WORD showState) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showState;
  PROCESS_INFORMATION process{};
  std::string writableCommandLine = commandLine;  // CreateProcess may write into it.
  if (!CreateProcessA(nullptr, writableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

}  // namespace builder::build
