#include "framework/module_path.h"

#include <windows.h>

namespace framework {

std::string ModulePath() {
  // One byte is kept back: a cut path is not terminated on every Windows.
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
  return path;
}

std::string ProgramName() {
  std::string name = ModulePath();
  name = name.substr(name.find_last_of('\\') + 1);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ModuleFolder() {
  const std::string path = ModulePath();
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace framework
