#include <memory>
#include <thread>

#include "support/text.h"
#include "support/window_text.h"
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

std::wstring WideWindowsPath(const std::string& unixPath) { return support::Widen(WindowsPath(unixPath)); }

std::string DistFolder() { return WindowsPath(BC_DIST_DIR); }

std::string BuildFile(const std::string& name) { return WindowsPath(BC_BUILD_DIR) + "\\" + name; }

namespace {

std::string QuotedCommandLine(const std::string& exePath, const std::string& arguments) {
  return "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
}

}  // namespace

Process::Process(const std::string& exePath, const std::string& arguments, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  Start(exePath, QuotedCommandLine(exePath, arguments), folder, startup, false);
}

Process::Process(const std::string& exePath, const CommandLine& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  Start(exePath, commandLine.text, "", startup, false);
}

Process::Process(const std::string& exePath, const std::string& arguments, const std::string& folder,
                 const std::string& outputFile) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) return;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output;
  startup.hStdError = output;
  Start(exePath, QuotedCommandLine(exePath, arguments), folder, startup, true);
  CloseHandle(output);
}

void Process::Start(const std::string& exePath, std::string commandLine, const std::string& folder,
                    const STARTUPINFOA& startup, bool inheritHandles) {
  STARTUPINFOA info = startup;
  if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &info, &info_)) {
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

std::unique_ptr<Process> StartBuilder(const std::string& outputFile) {
  return std::make_unique<Process>(DistFolder() + "\\Brindlecove.exe", "", DistFolder(), outputFile);
}

HWND FindMainWindow(DWORD processId) { return FindDialog(processId, "Brindlecove", milliseconds(30000)); }

namespace {

struct TopWindowSearch {
  DWORD processId;
  const std::function<bool(HWND)>* matches;
  HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopWindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search->processId && owner != search->processId) || !IsWindowVisible(window) || !(*search->matches)(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindTopWindow(DWORD processId, const std::function<bool(HWND)>& matches) {
  TopWindowSearch search{processId, &matches, nullptr};
  EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

namespace {

HWND FindNow(DWORD processId, const std::string& caption, bool requireEnabled) {
  return FindTopWindow(processId, [&](HWND window) {
    return (!requireEnabled || IsWindowEnabled(window)) && caption == support::WindowText(window);
  });
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
