#include "framework/module_path.h"

#include <windows.h>

namespace framework {

std::string ModulePath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  // A path that fills the whole buffer has been cut (and older systems leave it unterminated).
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(path, length);
}

std::string ProgramName() {
  std::string name = ModulePath();
  name = name.substr(name.find_last_of('\\') + 1);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace framework
