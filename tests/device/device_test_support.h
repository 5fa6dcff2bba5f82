#pragma once
// Helpers for the device tests: temporary folders, files, child processes,
// the device modules as built, and the shared named events.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace device_test {

using namespace std::chrono_literals;

// A path of the build tree as Wine sees it: on drive Z:, with backslashes.
std::wstring HostPath(const char* unixPath);
// A file of the device folder of the build (bcmgr.dll, bcebtn.exe, ...).
std::wstring DeviceFile(const wchar_t* name);
// The test program that records its command line, see fake_engine.cpp.
std::wstring FakeEngineFile();

std::optional<std::string> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// Polls until the condition holds; false when the time ran out first.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// A fresh folder in the temporary folder, removed with its files at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Removes a folder and the files in it (no subfolders are made here).
void RemoveFolder(const std::wstring& folder);

// A process this test started; ended by force if it is still running at the end.
class ChildProcess {
 public:
  ChildProcess(const std::wstring& program, const std::wstring& commandLine);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  // The exit code, or nothing when the process did not end in time.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 10s);

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// A library loaded from a path, with typed look-ups of its exports by name.
class Library {
 public:
  explicit Library(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
  ~Library() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  bool loaded() const { return module_ != nullptr; }
  template <class Function>
  Function Export(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

// The visible message box with this caption now on screen, if any.
HWND VisibleBox(const wchar_t* caption);
// The text of a message box: its one static control that carries text.
std::wstring BoxText(HWND box);

// True while some process holds an event of that name.
bool NamedEventExists(const wchar_t* name);

// Makes a folder current for the lifetime of the object: the device's
// absolute paths ("\Windows\...") resolve on the current drive.
class CurrentFolder {
 public:
  explicit CurrentFolder(const wchar_t* folder);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::wstring previous_;
};

}  // namespace device_test
