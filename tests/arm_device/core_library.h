#pragma once
// A small coredll.dll of ours for the emulated device: the functions the
// modules import, each under its own ordinal, as stubs that hand the call to
// this object. It keeps what a test checks afterwards: the heap's blocks, the
// named events and their handles, the files, the questions asked and the
// programs started, the windows and what they painted, the registry read.
// Like the device's, it takes no misuse: a bad handle or window, an argument
// CE wants null, a DC not released, a GDI object deleted while selected, a
// wait that nothing will ever end are problems.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/arm_device/arm_machine.h"
#include "tests/arm_device/emulated_gui.h"

namespace arm_device_test {

struct Event {
  bool manualReset = false;
  bool signalled = false;
  int sets = 0;     // EventModify(EVENT_SET) calls
  int resets = 0;   // EventModify(EVENT_RESET) calls
  int handles = 0;  // open handles, the holder's included
};

struct WrittenFile {
  std::u16string path;
  std::string bytes;  // as they were when its handle was closed
  bool operator==(const WrittenFile&) const = default;
};

struct EventCreation {
  std::u16string name;
  bool manualReset = false;
  bool initiallySet = false;
  bool operator==(const EventCreation&) const = default;
};

struct Question {
  std::u16string text;
  std::u16string caption;
  uint32_t type = 0;
};

struct StartedProcess {
  std::u16string program;
  std::u16string commandLine;
  bool startupInfo = false;  // CE takes none
  bool ended = false;
  uint32_t exitCode = 0;
};

struct FullScreenCall {
  uint32_t window;
  uint32_t flags;  // SHFS_*
  bool operator==(const FullScreenCall&) const = default;
};

// A seeded registry value: REG_SZ or REG_DWORD, as bytes.
struct RegistryValue {
  uint32_t type;
  std::vector<uint8_t> bytes;
};

// Where aygshell's stubs live; LoadLibraryW hands this out as its module.
inline constexpr uint32_t kShellLibraryBase = 0x01100000;
// The structures coredll hands to a window procedure (CREATESTRUCTW).
inline constexpr uint32_t kSystemBase = 0x01200000;
inline constexpr uint32_t kSystemSize = 0x10000;
// The application buttons, VK_APP1 to VK_APP6.
inline constexpr uint32_t kFirstApplicationButton = 0xC1, kLastApplicationButton = 0xC6;

struct HotKey {
  uint32_t modifiers;
  uint32_t key;
};

class CoreLibrary {
 public:
  explicit CoreLibrary(ArmMachine& machine);

  // The stub's address of an export, nothing when this coredll lacks it.
  std::optional<uint32_t> Resolve(uint16_t ordinal) const;

  // What a test sets up: files by their device path, a named event that some
  // other process (the engine) holds, the answers to the questions in order,
  // the running program's path and base, what happens while the program
  // waits (in order: one without a time comes true at the next wait, and
  // ends a wait with a timeout; one with a time when the clock reaches it),
  // the names of events that CreateEventW refuses, the registry under
  // HKEY_LOCAL_MACHINE, the screen, and whether the device has aygshell.
  void PutFile(const std::u16string& path, std::string bytes);
  void HoldEvent(const std::u16string& name);
  void PutRegistryString(const std::u16string& key, const std::u16string& name, const std::u16string& value);
  void PutRegistryNumber(const std::u16string& key, const std::u16string& name, uint32_t value);
  std::deque<int> answers;
  std::u16string modulePath;
  uint32_t moduleBase = 0;
  std::deque<Happening> setWhileWaiting;
  std::vector<std::u16string> refusedEvents;
  int32_t screenWidth = 240, screenHeight = 320;
  bool hasShellLibrary = true;
  // The classes of other programs' top-level windows, which FindWindowW finds.
  std::vector<std::u16string> otherProgramsWindows;
  // The power manager: SetSystemPowerState's answer (0 ERROR_SUCCESS, or a
  // Win32 error code), none on a device without it (before 4.20); whether
  // the HAL takes IOCTL_HAL_REBOOT from this program (CE 4.2 on refuses an
  // untrusted caller). Neither resets anything: the calls are recorded.
  std::optional<uint32_t> powerStateAnswer = 0u;
  bool halResetGranted = true;
  // How long the device may stay idle once nothing is left to happen.
  uint32_t idleLimitMs = 600'000;
  // A LocalAlloc block holding bytes, as the Remote API service hands its input over.
  uint32_t Allocate(const std::vector<uint8_t>& bytes);

  // What the calls did.
  std::map<std::u16string, Event> events;
  std::vector<EventCreation> creations;
  int filesOpened = 0;
  std::vector<std::u16string> filesRead;       // opened for reading by CreateFileW, in order
  std::vector<WrittenFile> filesWritten;       // each writing handle's file when closed, in order
  std::vector<std::u16string> waits;           // the events waited on, each time
  std::vector<Question> questions;
  std::vector<StartedProcess> started;
  std::vector<std::string> problems;  // misuse of a function: a bad handle, an unanswered question
  std::map<uint32_t, uint32_t> blocks;  // the live LocalAlloc blocks: address, size
  uint32_t sleptMs = 0;
  uint32_t clockMs = 10'000;  // GetTickCount's; it moves only while the program waits
  std::map<uint32_t, Window> windows;  // the live windows by handle, in creation order
  std::vector<Drawing> drawings;
  std::vector<FullScreenCall> fullScreenCalls;
  std::vector<uint32_t> broughtToFront;  // SetForegroundWindow's windows
  // The window in front: the last one brought there, or another program's
  // (kOtherProgramsWindow + its place in otherProgramsWindows) that a test puts there.
  uint32_t foreground = 0;
  // The hot key calls in order ("RegisterHotKey C1"), the hot keys registered
  // now by window and id, and the button presses that reached the shell,
  // which starts its program for them.
  std::vector<std::string> hotKeyCalls;
  std::map<std::pair<uint32_t, uint32_t>, HotKey> hotKeys;
  std::vector<uint32_t> shellButtonPresses;
  std::vector<std::string> resetCalls;  // "SetSystemPowerState" or "KernelIoControl", in order
  // What the screen showed each time the program waited and it had changed
  // since the last time.
  std::vector<std::vector<ShownWindow>> screensSeen;
  uint32_t messagesDispatched = 0;
  // Handles the modules hold: events, processes, threads, open files and
  // registry keys, and their libraries.
  size_t OpenHandles() const;
  // What the program still holds of the window system: windows, DCs and GDI objects.
  size_t WindowResources() const { return windows.size() + dcs_.size() + gdiObjects_.size(); }
  // The shown windows, in creation order.
  std::vector<ShownWindow> Screen() const;

 private:
  struct OpenFile {
    std::string bytes;
    size_t position = 0;
    std::u16string path;  // CreateFileW's; fopen's file has none
    bool writable = false;
  };
  struct Export {
    uint16_t ordinal;
    uint32_t (CoreLibrary::*function)();
  };
  static const Export kExports[];
  uint32_t Dispatch(uint32_t service);
  uint32_t NewHandle();
  void Problem(const std::string& what) { problems.push_back(what); }
  static std::u16string Lower(std::u16string text);

  // Memory and the C library (core_library.cpp).
  uint32_t LocalAlloc();
  uint32_t Allocate(uint32_t flags, uint32_t size);
  uint32_t LocalFree();
  uint32_t WideCharToMultiByte();
  uint32_t Strcmp();
  uint32_t Memset();
  uint32_t Memcpy();
  uint32_t GetTickCount() { return clockMs; }
  uint32_t Sleep();
  uint32_t MessageBoxW();

  // Events, processes and waits (core_library_waits.cpp).
  uint32_t CreateEventW();
  uint32_t EventModify();
  uint32_t WaitForSingleObject();
  uint32_t CloseHandle();
  uint32_t CreateProcessW();
  uint32_t GetExitCodeProcess();
  bool Signalled(uint32_t handle);  // and takes an auto-reset event's signal
  // Lets device time pass until ready() holds, the timeout passes (false),
  // or nothing can end the wait (throws, naming what).
  bool Block(std::optional<uint32_t> timeoutMs, bool wakesOnTimers, const std::function<bool()>& ready,
             const std::string& what);
  void Happen(const Happening& happening);
  std::optional<uint32_t> NextWake(bool wakesOnTimers) const;

  // Files (core_library_files.cpp).
  uint32_t GetModuleFileNameW();
  uint32_t CreateFileW();
  uint32_t ReadFile();
  uint32_t WriteFile();
  bool CloseFile(uint32_t handle);
  OpenFile* FileOf(uint32_t handle, const char* call, bool write);
  uint32_t Fopen();
  uint32_t Fread();
  uint32_t Fclose();

  // Classes, windows and the built-in controls (core_library_windows.cpp).
  uint32_t RegisterClassW();
  uint32_t UnregisterClassW();
  uint32_t CreateWindowExW();
  uint32_t DestroyWindow();
  uint32_t DefWindowProcW();
  uint32_t ShowWindow();
  uint32_t SetWindowPos();
  uint32_t GetClientRect();
  uint32_t SetForegroundWindow();
  uint32_t GetForegroundWindow();
  void OtherProgramInFront();
  uint32_t GetWindowThreadProcessId();
  uint32_t FindWindowW();
  static bool IsOtherProgramsWindow(uint32_t handle);
  uint32_t SetFocus();
  uint32_t SetWindowTextW();
  uint32_t GetWindowTextW();
  uint32_t EnableWindow();
  uint32_t GetSystemMetrics();
  Window* WindowOf(uint32_t handle, const char* call);
  void Destroy(uint32_t handle);
  uint32_t DefaultProcedure(uint32_t handle, uint32_t message, uint32_t wParam, uint32_t lParam);
  uint32_t ControlProcedure(uint32_t handle, uint32_t message, uint32_t wParam, uint32_t lParam);
  uint32_t CopyText(const std::u16string& text, uint32_t buffer, uint32_t units);
  bool Shown(uint32_t handle) const;
  uint32_t ControlWithId(uint32_t id, bool mustBeEnabled);

  // The message queue, timers and the window procedures' calls (core_library_messages.cpp).
  uint32_t PeekMessageW();
  uint32_t GetMessageW();
  uint32_t TranslateMessage() { return 0; }  // no keys to translate
  uint32_t DispatchMessageW();
  uint32_t PostMessageW();
  uint32_t PostQuitMessage();
  uint32_t SendMessageW();
  uint32_t SetTimer();
  uint32_t KillTimer();
  uint32_t MsgWaitForMultipleObjectsEx();
  uint32_t Send(uint32_t handle, uint32_t message, uint32_t wParam, uint32_t lParam);
  void Post(uint32_t handle, uint32_t message, uint32_t wParam, uint32_t lParam);
  std::optional<PostedMessage> NextMessage(uint32_t filterWindow, uint32_t first, uint32_t last, bool remove);
  bool InputWaiting(uint32_t wakeMask, bool onlyNew) const;
  // Room for a structure a procedure is sent; the caller takes it back by
  // restoring systemUsed_.
  uint32_t PushSystem(const void* bytes, size_t size);

  // Painting and GDI objects (core_library_gdi.cpp).
  uint32_t InvalidateRect();
  uint32_t UpdateWindow();
  uint32_t BeginPaint();
  uint32_t EndPaint();
  uint32_t GetDC();
  uint32_t ReleaseDC();
  uint32_t FillRect();
  uint32_t DrawTextW();
  uint32_t ExtTextOutW();
  uint32_t SetTextColor() { return DcOf(machine_.Argument(0), "SetTextColor") ? 0 : 0xFFFFFFFF; }
  uint32_t SetBkColor() { return DcOf(machine_.Argument(0), "SetBkColor") ? 0xFFFFFF : 0xFFFFFFFF; }
  uint32_t SetBkMode() { return DcOf(machine_.Argument(0), "SetBkMode") ? 2 : 0; }
  uint32_t CreateSolidBrush() { return NewGdiObject({GdiKind::Brush, {}, 0, 0}); }
  uint32_t CreateFontIndirectW();
  uint32_t GetStockObject();
  uint32_t GetSysColorBrush();
  uint32_t SelectObject();
  uint32_t DeleteObject();
  uint32_t CreateCompatibleDC();
  uint32_t DeleteDC();
  uint32_t BitBlt();  // and StretchBlt
  uint32_t GetObjectW();
  uint32_t ShLoadDiBitmap();
  uint32_t NewGdiObject(GdiObject object);
  DeviceContext* DcOf(uint32_t handle, const char* call);
  uint32_t NewDc(DeviceContext context);
  // Ends the DC when the call that ends it is the one that fits how it was
  // got, and reports the problem otherwise.
  uint32_t EndDc(uint32_t dc, const std::function<bool(const DeviceContext&)>& gaveIt, const char* otherwise);
  std::optional<GdiKind> KindOf(uint32_t object) const;
  void Draw(uint32_t dc, Drawing::Kind kind, Rect rect, std::u16string what);
  void Blit(uint32_t target, Rect rect, uint32_t source);

  // The registry (core_library_registry.cpp).
  uint32_t RegOpenKeyExW();
  uint32_t RegQueryValueExW();
  uint32_t RegCloseKey();

  // Libraries and aygshell (core_library_shell.cpp).
  uint32_t LoadLibraryW();
  uint32_t FreeLibrary();
  uint32_t GetProcAddressW();
  uint32_t ShFullScreen();

  // The application buttons (core_library_keys.cpp).
  struct ShellButtons {
    ShellButtons();
    std::set<uint32_t> held;  // the keys the shell has registered
  };
  uint32_t UnregisterFunc1();
  uint32_t RegisterHotKey();
  uint32_t UnregisterHotKey();
  void PressButton(uint32_t key);

  // Resetting the device (core_library_power.cpp).
  uint32_t SetSystemPowerState();
  uint32_t KernelIoControl();

  ArmMachine& machine_;
  std::map<std::u16string, std::string> files_;  // by the path in lower case: CE ignores case
  uint32_t heapUsed_ = 0;
  uint32_t nextHandle_ = 0x100;
  std::map<uint32_t, std::u16string> eventHandles_;  // handle: event name
  std::map<uint32_t, size_t> processHandles_;  // handle: its entry in started
  std::map<uint32_t, bool> threadHandles_;
  std::map<uint32_t, OpenFile> openFiles_;
  // Windows.
  std::map<std::u16string, WindowClass> classes_;  // by the name in lower case
  uint32_t nextWindow_ = 0x00C00000;
  std::deque<PostedMessage> posted_;
  std::optional<uint32_t> quitCode_;
  std::map<std::pair<uint32_t, uint32_t>, Timer> timers_;  // by window and id
  bool inputSincePeek_ = false;
  uint32_t lastPeekMs_ = 0;
  int sendDepth_ = 0;
  uint32_t systemUsed_ = 0;  // of kSystemBase, for the structures a procedure is sent
  // GDI.
  std::map<uint32_t, GdiObject> gdiObjects_;
  std::map<uint32_t, DeviceContext> dcs_;
  uint32_t nextGdi_ = 0x00E00000;
  // The registry: values by key and name, in lower case; the open keys.
  std::map<std::u16string, std::map<std::u16string, RegistryValue>> registry_;
  std::map<uint32_t, std::u16string> openKeys_;
  ShellButtons shellButtons_;
  std::map<uint32_t, int> libraryLoads_;  // LoadLibraryW's references by module: aygshell, coredll
  uint32_t lastHappeningMs_ = 0;
};

}  // namespace arm_device_test
