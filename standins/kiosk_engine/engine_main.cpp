// Stand-in for the kiosk engine: the least the device modules rely on. It
// holds the exit and button events, shows the allowed applications in a
// full-screen window, counts button events, notes the reset argument and
// leaves kiosk mode when the exit event is set.
#include <windows.h>

#include <cstdio>
#include <string>

#include "device/engine_contract/engine_contract.h"
#include "standins/kiosk_engine/application_list_file.h"
#include "standins/kiosk_engine/engine_state.h"
#include "standins/kiosk_engine/kiosk_window.h"
#include "support/files.h"
#include "support/scoped_handle.h"

namespace {

using namespace standins::kiosk_engine;

std::wstring EngineFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

void WriteState(const std::wstring& path, const EngineState& state) {
  if (FILE* file = _wfopen(path.c_str(), L"wb")) {
    const std::string text = FormatEngineState(state);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
}

support::ScopedHandle HoldEvent(const wchar_t* name) {
  return support::ScopedHandle(CreateEventW(nullptr, TRUE, FALSE, name));
}

// False once the window's thread has been asked to quit.
bool PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  const std::wstring folder = EngineFolder();
  const std::wstring statePath = folder + L"\\" + kStateFileName;
  EngineState state;
  // The whole command line: a desktop entry point would drop a lone "r" as
  // if it were the program's name.
  state.startedWithReset = RequestsReset(GetCommandLineW());

  const support::ScopedHandle exitEvent = HoldEvent(device::engine_contract::kExitEventName.wide);
  const support::ScopedHandle buttonEvent = HoldEvent(device::engine_contract::kButtonEventName.wide);
  if (!exitEvent.Valid() || !buttonEvent.Valid()) return 1;

  const std::wstring listPath = folder + L"\\" + device::engine_contract::kApplicationListFileName.wide;
  // A missing list reads as empty: the kiosk then offers no application.
  KioskWindow window(instance, ParseApplicationList(support::ReadWholeFile(listPath).value_or("")));
  window.ShowState(state);
  WriteState(statePath, state);

  const HANDLE events[] = {exitEvent.Get(), buttonEvent.Get()};
  while (!state.kioskLeft && PumpMessages()) {
    const DWORD woken = MsgWaitForMultipleObjects(2, events, FALSE, INFINITE, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) {
      ResetEvent(exitEvent.Get());
      state.kioskLeft = true;
    } else if (woken == WAIT_OBJECT_0 + 1) {
      ResetEvent(buttonEvent.Get());
      ++state.buttonPresses;
    } else {
      continue;
    }
    window.ShowState(state);
    WriteState(statePath, state);
  }
  return 0;
}
