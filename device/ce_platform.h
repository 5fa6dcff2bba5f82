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

// CE's GetProcAddress takes the export's name in UTF-16.
extern "C" FARPROC WINAPI GetProcAddressW(HMODULE module, LPCWSTR name);
inline FARPROC FindExport(HMODULE module, const wchar_t* wideName, const char*) {
  return GetProcAddressW(module, wideName);
}

// A BMP file as a bitmap (coredll's SHLoadDIBitmap); null for any other file.
extern "C" HBITMAP WINAPI SHLoadDIBitmap(LPCWSTR fileName);
inline HBITMAP LoadBitmapFile(const wchar_t* path) { return SHLoadDIBitmap(path); }

// QS_ALLINPUT of the CE SDK: its seven input bits (CE has no QS_HOTKEY).
inline constexpr DWORD kAllQueueInput = 0x7F;

// Releases the shell's hot key; coredll has it, though no SDK header declares it.
extern "C" BOOL WINAPI UnregisterFunc1(UINT modifiers, UINT key);

// SetSystemPowerState is exported only where the power manager is (4.20 on):
// it is looked up by name in the core library, which every process has loaded.
inline HMODULE LoadPowerManager() { return LoadLibraryW(L"coredll.dll"); }
// The HAL's calls; IOCTL_HAL_REBOOT is refused to an untrusted caller from 4.2 on.
extern "C" BOOL WINAPI KernelIoControl(DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                                       LPDWORD returned);

// The layouts the device's calls and the Remote API assume.
static_assert(sizeof(wchar_t) == 2, "build with -fshort-wchar");
static_assert(sizeof(long long) == 8 && alignof(long long) == 4, "build with -mabi=apcs-gnu, as CE passes 64-bit values");
#else
inline BOOL SignalEvent(HANDLE event) { return SetEvent(event); }
inline BOOL ClearEvent(HANDLE event) { return ResetEvent(event); }

inline FARPROC FindExport(HMODULE module, const wchar_t*, const char* narrowName) {
  return GetProcAddress(module, narrowName);
}

inline HBITMAP LoadBitmapFile(const wchar_t* path) {
  return static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

inline constexpr DWORD kAllQueueInput = QS_ALLINPUT;

// A desktop shell holds no application buttons: nothing to release.
inline BOOL UnregisterFunc1(UINT, UINT) { return TRUE; }

// The emulated device resets nothing real: it has no power manager, and its
// HAL refuses a reset as a device refuses an untrusted caller.
inline HMODULE LoadPowerManager() { return nullptr; }
inline BOOL KernelIoControl(DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

// A desktop reads the start-up record and fails without one.
inline LPSTARTUPINFOW StartupInfo() {
  static STARTUPINFOW desktopStartupInfo;
  desktopStartupInfo.cb = sizeof desktopStartupInfo;
  return &desktopStartupInfo;
}
#endif

}  // namespace device
