#include "device/kiosk_engine/kiosk_desktop.h"

#include "device/kiosk_engine/kiosk_controls.h"

namespace device::kiosk_engine {

namespace {

constexpr DWORD kListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;

}  // namespace

void KioskDesktop::Show(HWND window, const EngineSettings& settings, const DesktopLayout& layout, const char* list,
                        std::size_t listSize) {
  language_ = settings.language;
  title_ = layout.title;
  // A plain static lets taps through to the window, which times the hold.
  controls_.Add(window, L"STATIC", settings.kioskDesktopTitle.Get(), kCentredTextStyle, kDesktopTitleId, layout.title);
  list_ = controls_.Add(window, L"LISTBOX", L"", kListStyle, kApplicationListId, layout.list);
  DesktopEntries entries(list, listSize);
  for (DesktopEntry entry; entries.Next(entry);)
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.displayName.Get()));
}

void KioskDesktop::Hide() {
  menu_.DestroyAll();
  controls_.DestroyAll();
  list_ = nullptr;
}

bool KioskDesktop::TitleHolds(int x, int y) const {
  return list_ != nullptr && x >= title_.left && x < title_.right && y >= title_.top && y < title_.bottom;
}

void KioskDesktop::ShowUnlockMenu(HWND window) {
  menu_.DestroyAll();
  const Rect item = {title_.left, title_.bottom, title_.right, title_.bottom + title_.Height()};
  HWND button =
      menu_.Add(window, L"BUTTON", TextOf(language_, EngineText::UnlockMenuItem), kButtonStyle, kUnlockMenuItemId, item);
  // Above the list that it overlaps.
  SetWindowPos(button, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool KioskDesktop::TakeTapped(const char* list, std::size_t listSize, DesktopEntry& entry) {
  const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return false;
  SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  return DesktopEntryAt(list, listSize, static_cast<std::size_t>(selected), entry);
}

}  // namespace device::kiosk_engine
