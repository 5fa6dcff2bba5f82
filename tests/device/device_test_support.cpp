#include "tests/device/device_test_support.h"

namespace device_test {

std::wstring DeviceFile(const wchar_t* name) { return WideWindowsPath(BC_DEVICE_DIR) + L"\\" + name; }

std::wstring FakeEngineFile() { return WideWindowsPath(BC_FAKE_ENGINE); }

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

// A program started from the folder may still be ending and hold its file.
void RemoveFolder(const std::wstring& folder) {
  WaitUntil([&] { return support::RemoveTree(folder); }, 5s);
}

TempFolder::~TempFolder() { RemoveFolder(Path()); }

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
