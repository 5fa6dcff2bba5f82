// Stand-in for the kiosk engine: the least the device modules rely on. It
// holds the exit and button events, lists the allowed applications, counts
// button events, notes the reset argument and leaves kiosk mode when the exit
// event is set. No C++ runtime: the same source is the emulated device's x86
// program and the ARM package's CE program.
#include "device/ce_platform.h"
#include "device/engine_contract/engine_contract.h"
#include "standins/kiosk_engine/engine_files.h"
#include "standins/kiosk_engine/kiosk_window.h"

namespace {

using namespace standins::kiosk_engine;
namespace contract = device::engine_contract;

using EnginePath = FixedText<wchar_t, MAX_PATH>;

// A file in the engine's own folder; empty when its path does not fit.
EnginePath FileBesideEngine(HINSTANCE instance, const wchar_t* name) {
  wchar_t module[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(instance, module, MAX_PATH);
  DWORD folderEnd = length;
  while (folderEnd > 0 && module[folderEnd - 1] != L'\\') --folderEnd;
  EnginePath path;
  path.Append(module, folderEnd).Append(name);
  return folderEnd > 0 && path.Whole() ? path : EnginePath();
}

void WriteState(const EnginePath& path, const EngineState& state) {
  const StateText text = FormatEngineState(state);
  if (path.Size() > 0) WriteWholeFile(path.Get(), text.Get(), text.Size());
}

void CloseEvent(HANDLE event) {
  if (event != nullptr) CloseHandle(event);
}

// The engine's life in kiosk mode once it holds its events.
void RunKioskMode(HINSTANCE instance, HANDLE exitEvent, HANDLE buttonEvent, EngineState& state) {
  const EnginePath statePath = FileBesideEngine(instance, kStateFileName);
  // A missing list reads as empty: the kiosk then offers no application.
  const FileContent list(FileBesideEngine(instance, contract::kApplicationListFileName.wide).Get());
  HWND window = OpenKioskWindow(instance, ApplicationListReader(list.Bytes(), list.Size()));
  ShowEngineState(window, state);
  WriteState(statePath, state);
  while (!state.kioskLeft) {
    const EngineEvent woken = WaitForEngineEvent(exitEvent, buttonEvent);
    if (woken == EngineEvent::Quit) break;
    if (woken == EngineEvent::Exit) {
      device::ClearEvent(exitEvent);
      state.kioskLeft = true;
    } else {
      device::ClearEvent(buttonEvent);
      ++state.buttonPresses;
    }
    ShowEngineState(window, state);
    WriteState(statePath, state);
  }
  CloseKioskWindow(window);
}

}  // namespace

// The device's loader hands WinMain the arguments alone; the desktop build's
// start hands it the whole command line (engine_start.cpp).
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  EngineState state;
  state.startedWithReset = RequestsReset(commandLine);
  HANDLE exitEvent = CreateEventW(nullptr, TRUE, FALSE, contract::kExitEventName.wide);
  HANDLE buttonEvent = CreateEventW(nullptr, TRUE, FALSE, contract::kButtonEventName.wide);
  const bool held = exitEvent != nullptr && buttonEvent != nullptr;
  if (held) RunKioskMode(instance, exitEvent, buttonEvent, state);
  CloseEvent(buttonEvent);
  CloseEvent(exitEvent);
  return held ? 0 : 1;
}
