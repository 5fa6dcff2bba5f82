// The kiosk engine: holds the exit and button events, shows the start-up
// screen and then kiosk mode, starts the applications, and leaves kiosk mode
// on the exit event or the administrator code. No C++ runtime: the same
// source is the emulated device's x86 program and the ARM package's CE program.
#include "device/ce_platform.h"
#include "device/engine_contract/engine_contract.h"
#include "device/kiosk_engine/device_reset.h"
#include "device/kiosk_engine/engine_files.h"
#include "device/kiosk_engine/engine_record.h"
#include "device/kiosk_engine/kiosk_controls.h"
#include "device/kiosk_engine/kiosk_window.h"
#include "device/kiosk_engine/registry_values.h"

namespace {

using namespace device::kiosk_engine;
namespace contract = device::engine_contract;

// False once the thread was asked to quit.
bool ServeMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

// Serves the window and waits on the events and the main application until
// kiosk mode is left. The queue is emptied before each wait: the wait wakes
// only for input that came after it.
void RunKioskMode(KioskWindow& kiosk, HANDLE exitEvent, HANDLE buttonEvent, EngineRecord& record) {
  while (ServeMessages() && kiosk.InKioskMode()) {
    const HANDLE handles[] = {exitEvent, buttonEvent, kiosk.MainApplication()};
    const DWORD count = handles[2] != nullptr ? 3 : 2;
    // WAIT_OBJECT_0 + count: input came, which the next round serves.
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles, INFINITE, device::kAllQueueInput, 0);
    if (woken == WAIT_OBJECT_0) {
      device::ClearEvent(exitEvent);
      kiosk.ExitRequested();
    } else if (woken == WAIT_OBJECT_0 + 1) {
      device::ClearEvent(buttonEvent);
      ++record.State().buttonPresses;
      record.Write();
      kiosk.BringToFront();
    } else if (woken == WAIT_OBJECT_0 + 2 && count == 3) {
      kiosk.MainApplicationEnded();
    }
  }
}

void RunEngine(HINSTANCE instance, HANDLE exitEvent, HANDLE buttonEvent, EngineRecord& record) {
  RegistryValues values;
  const EngineSettings settings = ReadEngineSettings(values);
  // A missing list reads as empty: the kiosk then offers no application.
  const FileContent applications(FileBesideEngine(instance, contract::kApplicationListFileName.wide).Get());
  const EnginePath logo = FileBesideEngine(instance, contract::kLogoFileName.wide);
  KioskWindow kiosk(instance, settings, applications, logo.Get(), exitEvent, record);
  if (kiosk.Open()) RunKioskMode(kiosk, exitEvent, buttonEvent, record);
  kiosk.Close();
}

void CloseEvent(HANDLE event) {
  if (event != nullptr) CloseHandle(event);
}

}  // namespace

// The device's loader hands WinMain the arguments alone; the desktop build's
// start hands it the whole command line (engine_start.cpp).
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  // One engine: a second start (a tap on the start-up shortcut, say) shows
  // the running one and leaves its record alone.
  if (HWND running = FindWindowW(kKioskWindowClass, nullptr)) {
    SetForegroundWindow(running);
    return 0;
  }
  EngineRecord record(FileBesideEngine(instance, kStateFileName));
  record.State().startedWithReset = RequestsReset(commandLine);
  HANDLE exitEvent = CreateEventW(nullptr, TRUE, FALSE, contract::kExitEventName.wide);
  HANDLE buttonEvent = CreateEventW(nullptr, TRUE, FALSE, contract::kButtonEventName.wide);
  const bool held = exitEvent != nullptr && buttonEvent != nullptr;
  if (held) {
    // Whatever the reset does, kiosk mode follows: a device that does not go
    // down stays locked.
    if (record.State().startedWithReset) {
      record.State().reset = ResetDevice() ? ResetOutcome::Requested : ResetOutcome::Failed;
    }
    RunEngine(instance, exitEvent, buttonEvent, record);
    record.State().kioskLeft = true;
    record.Write();
  }
  CloseEvent(buttonEvent);
  CloseEvent(exitEvent);
  return held ? 0 : 1;
}
