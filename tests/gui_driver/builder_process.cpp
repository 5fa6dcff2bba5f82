#include <memory>
#include <thread>

#include "tests/gui_driver/gui_driver.h"

namespace gui_driver {

bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    std::this_thread::sleep_for(milliseconds(20));
  }
  return true;
}

std::string WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string DistFolder() { return WindowsPath(BC_DIST_DIR); }

std::string BuildFile(const std::string& name) { return WindowsPath(BC_BUILD_DIR) + "\\" + name; }

Process::Process(const std::string& exePath, const std::string& arguments, const std::string& folder) {
  std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
    info_ = {};
  }
}

Process::~Process() {
  Kill();
  if (info_.hProcess) CloseHandle(info_.hProcess);
  if (info_.hThread) CloseHandle(info_.hThread);
}

bool Process::Running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

DWORD Process::WaitForExit(milliseconds timeout) const {
  if (!info_.hProcess) return STILL_ACTIVE;
  WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count()));
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

std::unique_ptr<Process> StartBuilder() {
  return std::make_unique<Process>(DistFolder() + "\\Brindlecove.exe", "", DistFolder());
}

namespace {

struct Search {
  DWORD processId;
  const std::string* caption;
  bool requireEnabled;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->requireEnabled && !IsWindowEnabled(window)) return TRUE;
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (caption != *search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindNow(DWORD processId, const std::string& caption, bool requireEnabled) {
  Search search{processId, &caption, requireEnabled, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND FindDialog(DWORD processId, const std::string& caption, milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindNow(processId, caption, true)) != nullptr; }, timeout);
  return found;
}

bool WaitDialogGone(DWORD processId, const std::string& caption, milliseconds timeout) {
  return WaitUntil([&] { return FindNow(processId, caption, false) == nullptr; }, timeout);
}

}  // namespace gui_driver
