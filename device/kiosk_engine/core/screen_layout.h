#pragma once
// Where the engine's screens put their parts, from the screen's size alone:
// margins, lines and buttons are fractions of the screen with a minimum, so
// portrait, landscape and VGA screens all get a fitting layout.

namespace device::kiosk_engine {

// As RECT: right and bottom are outside.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// From the top: the logo area, the version line, the seconds left, the
// Continue button, then the code label, its box and the Unlock button on one
// line at the bottom.
struct StartupLayout {
  Rect logo;
  Rect version;
  Rect countdown;
  Rect continueButton;
  Rect codeLabel;
  Rect codeBox;
  Rect codeButton;
};
StartupLayout LayOutStartupScreen(int width, int height);

// The title line and below it the list of applications.
struct DesktopLayout {
  Rect title;
  Rect list;
};
DesktopLayout LayOutKioskDesktop(int width, int height);

// A box centred on the screen with the question, the code box and the OK
// and Cancel buttons, each within the box.
struct CodePromptLayout {
  Rect box;
  Rect question;
  Rect codeBox;
  Rect okButton;
  Rect cancelButton;
};
CodePromptLayout LayOutCodePrompt(int width, int height);

// A StretchBlt from the bitmap's source part to target. Stretched: the whole
// bitmap to the whole area. Otherwise at its own size, centred in the area;
// a bitmap larger than the area shows its centre part, cut to the area.
// An empty bitmap or area gives empty rectangles (nothing is drawn).
struct LogoPlacement {
  Rect target;
  Rect source;
};
LogoPlacement PlaceLogo(const Rect& area, int bitmapWidth, int bitmapHeight, bool fitToArea);

}  // namespace device::kiosk_engine
