#include "tests/device/device_test_support.h"

#include <cstdio>

namespace device_test {

std::wstring DeviceFile(const wchar_t* name) { return WideWindowsPath(BC_DEVICE_DIR) + L"\\" + name; }

std::wstring FakeEngineFile() { return WideWindowsPath(BC_FAKE_ENGINE); }

std::optional<std::string> ReadBytes(const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char block[512];
  for (size_t read; (read = std::fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, read);
  std::fclose(file);
  return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

HWND VisibleBox(const wchar_t* caption) {
  for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", caption); box != nullptr;
       box = FindWindowExW(nullptr, box, L"#32770", caption)) {
    if (IsWindowVisible(box)) return box;
  }
  return nullptr;
}

std::wstring BoxText(HWND box) {
  std::wstring text;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[64] = {};
    GetClassNameW(child, kind, 64);
    wchar_t childText[512] = {};
    GetWindowTextW(child, childText, 512);
    if (_wcsicmp(kind, L"Static") == 0 && childText[0] != L'\0') text = childText;
  }
  return text;
}

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  static int serial = 0;
  path_ = std::wstring(base) + L"bc_device_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(++serial);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveFolder(path_); }

namespace {

bool RemoveFolderOnce(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return RemoveDirectoryW(folder.c_str()) || !FileExists(folder);
}

}  // namespace

// A program started from the folder may still be ending and hold its file.
void RemoveFolder(const std::wstring& folder) {
  WaitUntil([&] { return RemoveFolderOnce(folder); }, 5s);
}

bool NamedEventExists(const wchar_t* name) {
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, name);
  if (event == nullptr) return false;
  CloseHandle(event);
  return true;
}

CurrentFolder::CurrentFolder(const wchar_t* folder) {
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  previous_ = previous;
  SetCurrentDirectoryW(folder);
}

CurrentFolder::~CurrentFolder() { SetCurrentDirectoryW(previous_.c_str()); }

}  // namespace device_test
