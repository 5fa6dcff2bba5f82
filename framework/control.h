#pragma once
#include <windows.h>

namespace framework {

// A child control of a dialog, addressed by its window; the dialog owns it.
class Control {
 public:
  explicit Control(HWND window = nullptr) : window_(window) {}

  HWND Hwnd() const { return window_; }
  // While off, the control neither redraws nor updates its scroll bar.
  void SetRedraw(bool redraw) const;
  void Invalidate() const;

 protected:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

 private:
  HWND window_;
};

}  // namespace framework
