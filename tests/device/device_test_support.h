#pragma once
// Helpers for the device tests: temporary folders, files, child processes,
// the device modules as built, and the shared named events.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "tests/gui_driver/gui_driver.h"

namespace device_test {

using namespace std::chrono_literals;
using gui_driver::WaitUntil;
using gui_driver::WideWindowsPath;

// A file of the device folder of the build (bcmgr.dll, bcebtn.exe, ...).
std::wstring DeviceFile(const wchar_t* name);
// The test program that records its command line, see fake_engine.cpp.
std::wstring FakeEngineFile();

std::optional<std::string> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

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
