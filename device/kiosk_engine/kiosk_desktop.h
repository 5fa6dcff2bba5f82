#pragma once
// The kiosk desktop: the title and the list of the applications that set.alf
// does not hide, in file order. With the unlock menu, holding the title
// opens a one-item menu (a button: the menu calls are not on the device's
// reviewed table) that asks for the code.
#include <windows.h>

#include <cstddef>

#include "device/kiosk_engine/core/engine_settings.h"
#include "device/kiosk_engine/core/launch_plan.h"
#include "device/kiosk_engine/core/screen_layout.h"
#include "device/kiosk_engine/screen_controls.h"

namespace device::kiosk_engine {

class KioskDesktop {
 public:
  void Show(HWND window, const EngineSettings& settings, const DesktopLayout& layout, const char* list,
            std::size_t listSize);
  void Hide();
  // While the code prompt covers it.
  void ShowList(bool shown) { ShowWindow(list_, shown ? SW_SHOW : SW_HIDE); }
  bool TitleHolds(int x, int y) const;
  void ShowUnlockMenu(HWND window);
  void HideUnlockMenu() { menu_.DestroyAll(); }
  // The tapped entry: the list's selection, which is then cleared so that
  // the same entry can be tapped again. False when nothing is selected.
  bool TakeTapped(const char* list, std::size_t listSize, DesktopEntry& entry);

 private:
  ScreenControls controls_;
  ScreenControls menu_;
  HWND list_ = nullptr;
  Rect title_;
  Language language_ = Language::English;
};

}  // namespace device::kiosk_engine
