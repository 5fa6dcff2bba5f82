#include "tests/gui_driver/gui_driver.h"

#include <algorithm>

namespace gui_driver {

namespace {

struct Children {
  std::vector<HWND> all;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<Children*>(param)->all.push_back(child);
  return TRUE;
}

std::vector<HWND> ChildrenOf(HWND window) {
  Children children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children.all;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// A message box is a dialog of static texts, an icon and buttons only, with
// the message in the static of id 0xFFFF.
bool IsMessageBox(HWND window) {
  if (ClassOf(window) != "#32770" || !GetDlgItem(window, 0xFFFF)) return false;
  for (HWND child : ChildrenOf(window)) {
    const std::string kind = ClassOf(child);
    if (kind != "Static" && kind != "Button") return false;
  }
  return true;
}

// Reads the icon from the screen: the exclamation mark sits on yellow.
Icon IconOf(HWND box) {
  for (HWND child : ChildrenOf(box)) {
    if (ClassOf(child) != "Static" || !IsWindowVisible(child)) continue;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    if (!SendMessageA(child, STM_GETICON, 0, 0)) continue;
    RECT rect;
    GetWindowRect(child, &rect);
    HDC screen = GetDC(nullptr);
    int yellow = 0, coloured = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
      for (LONG x = rect.left; x < rect.right; ++x) {
        const COLORREF c = GetPixel(screen, x, y);
        const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        if (r > 180 && g > 150 && b < 100) ++yellow;
        if (std::max({r, g, b}) - std::min({r, g, b}) > 60) ++coloured;
      }
    }
    ReleaseDC(nullptr, screen);
    if (yellow > 10) return Icon::Exclamation;
    if (coloured > 10) return Icon::Other;
  }
  return Icon::None;
}

// The icon once two reads in a row agree: on a busy machine the box may still
// be painting it when it is first read.
Icon SettledIconOf(HWND box) {
  RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Icon last = IconOf(box);
  for (int read = 0; read < 20; ++read) {
    Sleep(100);
    const Icon now = IconOf(box);
    if (now == last) return now;
    last = now;
  }
  return last;
}

HWND FindBox(DWORD processId) { return FindTopWindow(processId, IsMessageBox); }

}  // namespace

MessageBoxInfo WaitMessageBox(DWORD processId, milliseconds timeout) {
  MessageBoxInfo info;
  if (!WaitUntil([&] { return (info.window = FindBox(processId)) != nullptr; }, timeout)) return info;
  // Let the box finish its set-up and painting before it is read.
  HWND message = GetDlgItem(info.window, 0xFFFF);
  WaitUntil([&] { return !Text(message).empty(); }, milliseconds(1000));
  Sleep(150);
  info.caption = Text(info.window);
  info.text = Text(message);
  info.icon = SettledIconOf(info.window);
  for (HWND child : ChildrenOf(info.window)) {
    if (ClassOf(child) == "Button" && IsWindowVisible(child)) info.buttons.push_back(Text(child));
  }
  return info;
}

bool NoMessageBox(DWORD processId, milliseconds within) {
  return !WaitUntil([&] { return FindBox(processId) != nullptr; }, within);
}

void Answer(const MessageBoxInfo& box, int buttonId) {
  PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
  WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

}  // namespace gui_driver
