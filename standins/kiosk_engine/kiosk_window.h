#pragma once
// The engine's screen and its wait: the one place where its desktop build and
// its device build differ. The desktop build shows a full-screen window and
// serves its messages while it waits (kiosk_window.cpp); the device build
// shows none and waits on its events in turn (kiosk_window_ce.cpp).
#include <windows.h>

#include "device/kiosk_engine/core/application_list_file.h"
#include "device/kiosk_engine/core/engine_state.h"

namespace standins::kiosk_engine {

using namespace ::device::kiosk_engine;

inline constexpr wchar_t kKioskWindowClass[] = L"BrindlecoveKioskWindow";
inline constexpr wchar_t kKioskWindowTitle[] = L"Brindlecove Kiosk";
// Children: the status line and the list of allowed applications.
inline constexpr int kStatusId = 100;
inline constexpr int kApplicationListId = 101;

// The full-screen window listing the allowed applications; null where the
// build shows none.
HWND OpenKioskWindow(HINSTANCE instance, ApplicationListReader applications);
void ShowEngineState(HWND window, const EngineState& state);
void CloseKioskWindow(HWND window);

// Quit: the window's thread was asked to quit, which only a desktop's window
// hears.
enum class EngineEvent { Exit, Button, Quit };

// Waits until one of the two events is set; the exit event wins when both are.
EngineEvent WaitForEngineEvent(HANDLE exitEvent, HANDLE buttonEvent);

}  // namespace standins::kiosk_engine
