#pragma once
// Drives a running program's windows the way a user would, through window
// messages only: clicks, typing, keys, and reading what the windows show.
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/files.h"

namespace gui_driver {

using std::chrono::milliseconds;
inline constexpr milliseconds kDefaultWait{10000};

// Polls until the condition holds or the time is up; returns the last result.
bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout = kDefaultWait);

// The Windows form (Z:\...) of a path of the Linux file system.
std::string WindowsPath(const std::string& unixPath);
// The same for the wide calls.
std::wstring WideWindowsPath(const std::string& unixPath);
// The builder's folder of this build (Windows path).
std::string DistFolder();
// A file in the build folder (Windows path), for screenshots and scratch files.
std::string BuildFile(const std::string& name);

// Whole files: nothing when a file cannot be read; false when it cannot be written.
using support::ReadWholeFile;
using support::WriteWholeFile;

// A whole command line, handed to the program exactly as written: without
// the program's name in front unless it is written there.
struct CommandLine {
  std::string text;
};

// A program started by the test; ended at destruction if still running.
class Process {
 public:
  Process(const std::string& exePath, const std::string& arguments = "", const std::string& folder = "");
  Process(const std::string& exePath, const CommandLine& commandLine);
  // The same, with the program's standard output going to a new file (Windows path).
  Process(const std::string& exePath, const std::string& arguments, const std::string& folder,
          const std::string& outputFile);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // Exit code once ended, or STILL_ACTIVE after the timeout.
  DWORD WaitForExit(milliseconds timeout = kDefaultWait) const;
  void Kill();

 private:
  void Start(const std::string& exePath, std::string commandLine, const std::string& folder,
             const STARTUPINFOA& startup, bool inheritHandles);

  PROCESS_INFORMATION info_{};
};

// Starts dist\Brindlecove.exe from its own folder.
std::unique_ptr<Process> StartBuilder();
// The same, with its standard output going to a new file (Windows path).
std::unique_ptr<Process> StartBuilder(const std::string& outputFile);

// The first visible top-level window of the process (0: of any) that matches.
HWND FindTopWindow(DWORD processId, const std::function<bool(HWND)>& matches);
// A visible, enabled top-level dialog of the process with this caption.
HWND FindDialog(DWORD processId, const std::string& caption, milliseconds timeout = kDefaultWait);
// The builder's main window. Its first start in a new Wine prefix loads every
// library cold, which takes longer than any later step.
HWND FindMainWindow(DWORD processId);
// True once no visible window of the process has this caption.
bool WaitDialogGone(DWORD processId, const std::string& caption, milliseconds timeout = kDefaultWait);

// Controls
HWND Control(HWND dialog, int id);
std::string Text(HWND window);
std::string Text(HWND dialog, int id);
void SetText(HWND dialog, int id, const std::string& text);
// Types each character as a key press would (limits and filters apply).
void Type(HWND dialog, int id, const std::string& text);
// Clicks a button and returns when its handler has run.
void Click(HWND dialog, int id);
// Clicks a button whose handler opens a modal window; returns at once.
void ClickAsync(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsVisible(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
std::vector<std::string> ListRows(HWND dialog, int id);
int ListSelection(HWND dialog, int id);
void SelectListRow(HWND dialog, int id, int row);
// Double-clicks a row of a list box (posted; the handler may open a dialog).
void DoubleClickListRow(HWND dialog, int id, int row);
std::string ComboText(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
// Chooses an entry of a drop-down list as the user would.
void SelectComboRow(HWND dialog, int id, int row);
// Moves the keyboard focus inside the dialog, as the Tab key would.
void Focus(HWND dialog, int id);
// The control with the keyboard focus in the dialog's thread (0 when none).
int FocusedControlId(HWND dialog);
// Waits until the control has the keyboard focus.
bool WaitFocus(HWND dialog, int id, milliseconds timeout = milliseconds(3000));
// Presses a key on the focused control (posted, as keyboard input is).
void PressKey(HWND dialog, WPARAM virtualKey);
// Closes a window by its close box.
void CloseBox(HWND window);

// Message boxes
enum class Icon { None, Exclamation, Other };
struct MessageBoxInfo {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  Icon icon = Icon::None;
  std::vector<std::string> buttons;
};
// Waits for a message box of the process; window is null after the timeout.
MessageBoxInfo WaitMessageBox(DWORD processId, milliseconds timeout = kDefaultWait);
// True when no message box of the process shows up within the time.
bool NoMessageBox(DWORD processId, milliseconds within = milliseconds(700));
// Presses IDOK, IDYES, IDNO ... on the box and waits for it to close.
void Answer(const MessageBoxInfo& box, int buttonId);

// Saves a PNG of the window as it shows on screen; false on failure.
bool SaveScreenshot(HWND window, const std::string& path);

}  // namespace gui_driver
