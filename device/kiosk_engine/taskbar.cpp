#include "device/kiosk_engine/taskbar.h"

#include "device/ce_platform.h"

namespace device::kiosk_engine {

namespace {

// The SHFS_ states of aygshell.h.
constexpr DWORD kShowTaskbar = 0x0001;
constexpr DWORD kHideTaskbar = 0x0002;
constexpr DWORD kShowInputPanelButton = 0x0004;
constexpr DWORD kHideInputPanelButton = 0x0008;
constexpr DWORD kShowStartIcon = 0x0010;
constexpr DWORD kHideStartIcon = 0x0020;

}  // namespace

Taskbar::Taskbar() : aygshell_(LoadLibraryW(L"aygshell.dll")) {
  if (aygshell_ == nullptr) return;
  // Through the generic function type: FARPROC stands for any export.
  const auto found = reinterpret_cast<void (*)()>(FindExport(aygshell_, L"SHFullScreen", "SHFullScreen"));
  fullScreen_ = reinterpret_cast<FullScreenCall>(found);
}

Taskbar::~Taskbar() {
  if (aygshell_ != nullptr) FreeLibrary(aygshell_);
}

void Taskbar::Hide(HWND window, bool keepTaskbar, bool keepInputPanelButton) {
  const DWORD taskbar = keepTaskbar ? kShowTaskbar | kShowStartIcon : kHideTaskbar | kHideStartIcon;
  Call(window, taskbar | (keepInputPanelButton ? kShowInputPanelButton : kHideInputPanelButton));
}

void Taskbar::Show(HWND window) {
  Call(window, kShowTaskbar | kShowStartIcon | kShowInputPanelButton);
}

void Taskbar::Call(HWND window, DWORD state) {
  if (fullScreen_ != nullptr) fullScreen_(window, state);
}

}  // namespace device::kiosk_engine
