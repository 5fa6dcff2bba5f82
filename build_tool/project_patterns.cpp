#include "build_tool/project_patterns.h"

#include <windows.h>

#include <algorithm>

#include "build_tool/core/command_line.h"

namespace build_tool {

std::vector<std::string> ProjectFilesOf(const std::string& argument) {
  if (!IsPattern(argument)) return {argument};
  // The matches keep the folder as the argument wrote it.
  const size_t folderEnd = argument.find_last_of("\\/:");
  const std::string folder = folderEnd == std::string::npos ? "" : argument.substr(0, folderEnd + 1);
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(argument.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) files.push_back(folder + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace build_tool
