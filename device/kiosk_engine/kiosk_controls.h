#pragma once
// The kiosk window's class and its children's fixed identifiers: each screen
// is a set of the standard controls that a device's GWES has built in, and
// tests find them by these numbers.
namespace device::kiosk_engine {

inline constexpr wchar_t kKioskWindowClass[] = L"BrindlecoveKioskWindow";

// The start-up screen.
inline constexpr int kVersionLineId = 100;
inline constexpr int kSecondsLeftId = 101;
inline constexpr int kContinueId = 102;
// The code box, its label and its button; the code prompt reuses box and button.
inline constexpr int kCodeLabelId = 103;
inline constexpr int kCodeBoxId = 104;
inline constexpr int kCodeOkId = 105;
// The code prompt's Cancel.
inline constexpr int kCodeCancelId = 106;
// The kiosk desktop.
inline constexpr int kDesktopTitleId = 110;
inline constexpr int kApplicationListId = 111;
// The one item of the title's tap-and-hold menu.
inline constexpr int kUnlockMenuItemId = 112;

}  // namespace device::kiosk_engine
