#include <algorithm>

#include "support/text.h"
#include "tests/gui_driver/gui_driver.h"

namespace gui_driver {

HWND Control(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::string Text(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  text.resize(std::min<size_t>(copied, length));
  return text;
}

std::string Text(HWND dialog, int id) { return Text(Control(dialog, id)); }

void SetText(HWND dialog, int id, const std::string& text) {
  SendMessageA(Control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Type(HWND dialog, int id, const std::string& text) {
  HWND control = Control(dialog, id);
  for (char c : text) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Click(HWND dialog, int id) { SendMessageA(Control(dialog, id), BM_CLICK, 0, 0); }

void ClickAsync(HWND dialog, int id) { PostMessageA(Control(dialog, id), BM_CLICK, 0, 0); }

bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(Control(dialog, id)) != FALSE; }

bool IsVisible(HWND dialog, int id) { return IsWindowVisible(Control(dialog, id)) != FALSE; }

bool IsChecked(HWND dialog, int id) { return SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::string> ListRows(HWND dialog, int id) {
  HWND list = Control(dialog, id);
  std::vector<std::string> rows;
  const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // Asked in UTF-16: Wine hands list box texts across processes in that form.
    wchar_t row[1024] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 1024) {
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row));
    }
    rows.push_back(support::Narrow(row));
  }
  return rows;
}

int ListSelection(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(Control(dialog, id), LB_GETCURSEL, 0, 0));
}

void SelectListRow(HWND dialog, int id, int row) {
  SendMessageA(Control(dialog, id), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void DoubleClickListRow(HWND dialog, int id, int row) {
  HWND list = Control(dialog, id);
  const auto top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  const auto height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  const LPARAM point = MAKELPARAM(5, static_cast<int>((row - top) * height + height / 2));
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(list, WM_LBUTTONUP, 0, point);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  PostMessageA(list, WM_LBUTTONUP, 0, point);
}

std::string ComboText(HWND dialog, int id) { return Text(Control(dialog, id)); }

int ComboSelection(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(Control(dialog, id), CB_GETCURSEL, 0, 0));
}

void SelectComboRow(HWND dialog, int id, int row) {
  HWND combo = Control(dialog, id);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Focus(HWND dialog, int id) {
  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(dialog, id)), TRUE);
  WaitUntil([&] { return FocusedControlId(dialog) == id; }, milliseconds(3000));
}

int FocusedControlId(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) || !info.hwndFocus) return 0;
  return GetDlgCtrlID(info.hwndFocus);
}

bool WaitFocus(HWND dialog, int id, milliseconds timeout) {
  return WaitUntil([&] { return FocusedControlId(dialog) == id; }, timeout);
}

void PressKey(HWND dialog, WPARAM virtualKey) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  HWND target = info.hwndFocus ? info.hwndFocus : dialog;
  PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
  PostMessageA(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void CloseBox(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace gui_driver
