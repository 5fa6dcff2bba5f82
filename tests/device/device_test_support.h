#pragma once
// Helpers for the device tests: temporary folders, child processes,
// the device modules as built, and the shared named events.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "support/files.h"
#include "tests/gui_driver/gui_driver.h"

namespace device_test {

using namespace std::chrono_literals;
using gui_driver::WaitUntil;
using gui_driver::WideWindowsPath;
using support::PathExists;
using support::ReadWholeFile;
using support::WriteWholeFile;

// A file of the device folder of the build (bcmgr.dll, bcebtn.exe, ...).
std::wstring DeviceFile(const wchar_t* name);
// The test program that records its command line, see fake_engine.cpp.
std::wstring FakeEngineFile();

// A temporary folder whose removal waits for the programs started from it to end.
class TempFolder : public support::TemporaryFolder {
 public:
  TempFolder() : support::TemporaryFolder(L"bc_device") {}
  ~TempFolder();
};

// Removes a folder with everything in it, waiting while a program holds a file.
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
