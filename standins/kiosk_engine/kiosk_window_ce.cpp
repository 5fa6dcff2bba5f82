// The device build's screen and wait. The windowing calls and a wait for
// several objects are not on the reviewed coredll table (their ordinals are
// not yet checked), so the engine shows no window on a device and waits on
// the exit event, looking at the button event between its waits.
#include "standins/kiosk_engine/kiosk_window.h"

namespace standins::kiosk_engine {

namespace {

// The longest a button press waits to be counted.
constexpr DWORD kButtonLookMs = 250;

}  // namespace

HWND OpenKioskWindow(HINSTANCE, ApplicationListReader) { return nullptr; }

void ShowEngineState(HWND, const EngineState&) {}

void CloseKioskWindow(HWND) {}

EngineEvent WaitForEngineEvent(HANDLE exitEvent, HANDLE buttonEvent) {
  for (;;) {
    if (WaitForSingleObject(exitEvent, kButtonLookMs) == WAIT_OBJECT_0) return EngineEvent::Exit;
    if (WaitForSingleObject(buttonEvent, 0) == WAIT_OBJECT_0) return EngineEvent::Button;
  }
}

}  // namespace standins::kiosk_engine
