#pragma once
// Where the device's core library differs from a desktop's Win32, for the
// modules' two builds: Windows CE ARM (_WIN32_WCE) and the desktop build that
// the emulated device and the Wine tests load. Every difference the modules'
// sources depend on is here.
#include <windows.h>

namespace device {

#ifdef _WIN32_WCE
// CE's core library has no SetEvent or ResetEvent export: its header inlines
// them as EventModify(h, EVENT_SET) and EventModify(h, EVENT_RESET).
extern "C" BOOL WINAPI EventModify(HANDLE event, DWORD action);
inline constexpr DWORD kEventReset = 2;  // EVENT_RESET
inline constexpr DWORD kEventSet = 3;    // EVENT_SET
inline BOOL SignalEvent(HANDLE event) { return EventModify(event, kEventSet); }
inline BOOL ClearEvent(HANDLE event) { return EventModify(event, kEventReset); }

// The device takes no start-up information: CreateProcess wants null.
inline LPSTARTUPINFOW StartupInfo() { return nullptr; }

// The layouts the device's calls and the Remote API assume.
static_assert(sizeof(wchar_t) == 2, "build with -fshort-wchar");
static_assert(sizeof(long long) == 8 && alignof(long long) == 4, "build with -mabi=apcs-gnu, as CE passes 64-bit values");
#else
inline BOOL SignalEvent(HANDLE event) { return SetEvent(event); }
inline BOOL ClearEvent(HANDLE event) { return ResetEvent(event); }

// A desktop reads the start-up record and fails without one.
inline LPSTARTUPINFOW StartupInfo() {
  static STARTUPINFOW desktopStartupInfo;
  desktopStartupInfo.cb = sizeof desktopStartupInfo;
  return &desktopStartupInfo;
}
#endif

}  // namespace device
