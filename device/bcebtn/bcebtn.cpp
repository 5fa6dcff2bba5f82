// bcebtn.exe: signals the kiosk engine's button event once. No window, no
// arguments, no output; the exit code is always 0.
#include "device/ce_platform.h"
#include "device/engine_contract/engine_contract.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  // Opens the engine's event when it holds one; otherwise the event made here
  // vanishes with this handle.
  HANDLE buttonEvent = CreateEventW(nullptr, TRUE, FALSE, device::engine_contract::kButtonEventName.wide);
  if (buttonEvent != nullptr) {
    device::SignalEvent(buttonEvent);
    CloseHandle(buttonEvent);
  }
  return 0;
}
