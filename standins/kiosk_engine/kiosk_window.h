#pragma once
#include <windows.h>

#include <vector>

#include "standins/kiosk_engine/application_list_file.h"
#include "standins/kiosk_engine/engine_state.h"

namespace standins::kiosk_engine {

inline constexpr wchar_t kKioskWindowClass[] = L"BrindlecoveKioskWindow";
inline constexpr wchar_t kKioskWindowTitle[] = L"Brindlecove Kiosk";
// Children: the status line and the list of allowed applications.
inline constexpr int kStatusId = 100;
inline constexpr int kApplicationListId = 101;

// The full-screen window the engine shows while in kiosk mode.
class KioskWindow {
 public:
  KioskWindow(HINSTANCE instance, const std::vector<AllowedApplication>& applications);
  ~KioskWindow();
  KioskWindow(const KioskWindow&) = delete;
  KioskWindow& operator=(const KioskWindow&) = delete;

  void ShowState(const EngineState& state);

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace standins::kiosk_engine
