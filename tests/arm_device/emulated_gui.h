#pragma once
// What the emulated coredll keeps of a window program: its classes and
// windows (the built-in controls among them, as records without ARM code),
// its posted messages and timers, its GDI objects and device contexts, what
// it painted, and the happenings a test scripts for its waits.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace arm_device_test {

// The messages and notifications this coredll sends or understands, as the
// CE SDK's winuser.h numbers them.
enum Message : uint32_t {
  kWmCreate = 0x0001,
  kWmDestroy = 0x0002,
  kWmSize = 0x0005,
  kWmSetText = 0x000C,
  kWmGetText = 0x000D,
  kWmGetTextLength = 0x000E,
  kWmPaint = 0x000F,
  kWmClose = 0x0010,
  kWmQuit = 0x0012,
  kWmEraseBackground = 0x0014,
  kWmSetFont = 0x0030,
  kWmCommand = 0x0111,
  kWmTimer = 0x0113,
  kWmLButtonDown = 0x0201,
  kLbAddString = 0x0180,
  kLbResetContent = 0x0184,
  kLbSetCurSel = 0x0186,
  kLbGetCurSel = 0x0188,
  kLbGetText = 0x0189,
  kLbGetTextLen = 0x018A,
  kLbGetCount = 0x018B,
};
inline constexpr uint16_t kBnClicked = 0, kLbnSelChange = 1, kLbnDoubleClick = 2, kEnChange = 0x0300;

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

enum class BuiltInClass { None, Static, Button, Edit, ListBox };

struct WindowClass {
  uint32_t procedure = 0;  // ARM code
  uint32_t background = 0;  // hbrBackground
};

struct Window {
  std::u16string className;
  BuiltInClass builtIn = BuiltInClass::None;
  uint32_t procedure = 0;  // none for a built-in control
  uint32_t parent = 0;
  uint32_t id = 0;  // a child's hMenu
  uint32_t style = 0;
  std::u16string text;
  Rect rect;  // in its parent's client area, or on the screen
  bool visible = false;
  bool enabled = true;
  bool invalid = false;  // awaits WM_PAINT
  std::vector<std::u16string> items;  // a list box's entries
  int32_t selection = -1;
};

// A window as the screen shows it.
struct ShownWindow {
  std::u16string className;  // in lower case
  std::u16string text;       // a list box's: its entries, joined by "|"
  Rect onScreen;
  bool topLevel = false;
  bool operator==(const ShownWindow&) const = default;
};

struct PostedMessage {
  uint32_t window, message, wParam, lParam;
};

struct Timer {
  uint32_t intervalMs = 0;
  uint32_t dueMs = 0;
};

// What the program drew: a fill, a bitmap blitted or stretched, or text.
struct Drawing {
  enum class Kind { Fill, Blit, Text };
  Kind kind;
  uint32_t window;  // 0: onto the screen or into a memory DC
  Rect rect;
  std::u16string what;  // the bitmap's file, or the text
  bool operator==(const Drawing&) const = default;
};

enum class GdiKind { Brush, Font, Bitmap, Pen };

struct GdiObject {
  GdiKind kind;
  std::u16string file;  // a loaded bitmap's
  int32_t width = 0, height = 0;  // a bitmap's
};

struct DeviceContext {
  uint32_t window = 0;  // 0: the screen's or a memory DC
  bool memory = false;  // from CreateCompatibleDC
  bool painting = false;  // from BeginPaint
  std::map<GdiKind, uint32_t> selected;  // besides the DC's own defaults
};

// Something that happens to the program from outside: at a device time, or
// (without one) the next time the program waits.
struct Happening {
  enum class Kind { SetEvent, Tap, Type, EndProcess, Button, Hold, OtherWindow };
  // An event set by another program: a name alone reads as one.
  Happening(std::u16string eventName) : kind(Kind::SetEvent), text(std::move(eventName)) {}  // NOLINT
  static Happening Tap(uint32_t controlId, uint16_t notification = kBnClicked, int32_t item = -1);
  static Happening Type(uint32_t controlId, std::u16string typed);
  static Happening EndProcess(std::u16string program, uint32_t exitCode);
  // The stylus put down on a control's centre and held there.
  static Happening Hold(uint32_t controlId);
  // An application button pressed: its virtual key.
  static Happening Button(uint32_t key);
  // Another program's window comes to the front.
  static Happening OtherWindow();
  Happening At(uint32_t ms) const;

  Kind kind;
  std::u16string text;  // the event, the typed text or the program
  uint32_t controlId = 0;  // or the button's key
  uint16_t notification = 0;
  int32_t item = -1;  // the list entry a tap chooses
  uint32_t exitCode = 0;
  std::optional<uint32_t> atMs;

 private:
  static Happening Of(Kind kind, uint32_t controlId);
};

}  // namespace arm_device_test
