#include "framework/control.h"

namespace framework {

void Control::SetRedraw(bool redraw) const { Send(WM_SETREDRAW, redraw ? TRUE : FALSE); }

void Control::Invalidate() const { InvalidateRect(window_, nullptr, TRUE); }

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(window_, message, wParam, lParam);
}

}  // namespace framework
