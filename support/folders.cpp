#include "support/files.h"

#include <windows.h>

namespace support {

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return RemoveDirectoryW(folder.c_str()) || !PathExists(folder);
}

TemporaryFolder::TemporaryFolder(const std::wstring& prefix) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static LONG serial = 0;
  const std::wstring base = std::wstring(temp) + prefix + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_";
  // Bounded: with no usable temporary folder the first file in it fails.
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = base + std::to_wstring(InterlockedIncrement(&serial));
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
  }
}

TemporaryFolder::~TemporaryFolder() { RemoveTree(path_); }

}  // namespace support
