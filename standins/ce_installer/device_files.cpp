#include "standins/ce_installer/device_files.h"
#include "support/text.h"

#include <cstdio>

namespace ce_installer {

using support::Widen;

std::wstring DeviceRoot() {
  wchar_t windows[MAX_PATH] = {};
  UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  return length >= 2 && windows[1] == L':' ? std::wstring(windows, 2) : L"C:";
}

std::wstring HostPath(const std::string& device_path) { return DeviceRoot() + Widen(device_path); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char block[4096];
  for (size_t read; (read = std::fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, read);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

WorkFolder::WorkFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = std::wstring(temp) + L"wceload_" + std::to_wstring(GetCurrentProcessId());
  path_ = base;
  // Bounded: with no usable temporary folder the run fails on its first file.
  for (int attempt = 1; attempt < 100 && !CreateDirectoryW(path_.c_str(), nullptr); ++attempt) {
    path_ = base + L"_" + std::to_wstring(attempt);
  }
}

WorkFolder::~WorkFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace ce_installer
