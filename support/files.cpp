#include "support/files.h"

#include <windows.h>

#include <cstdio>

namespace support {
namespace {

std::optional<std::string> ReadAndClose(FILE* file) {
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char block[4096];
  for (size_t read; (read = std::fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, read);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

bool WriteAndClose(FILE* file, const std::string& bytes) {
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path) { return ReadAndClose(_wfopen(path.c_str(), L"rb")); }

std::optional<std::string> ReadWholeFile(const std::string& path) { return ReadAndClose(std::fopen(path.c_str(), "rb")); }

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  return WriteAndClose(_wfopen(path.c_str(), L"wb"), bytes);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  return WriteAndClose(std::fopen(path.c_str(), "wb"), bytes);
}

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
