#include "device/kiosk_engine/core/screen_layout.h"

namespace device::kiosk_engine {

namespace {

int Larger(int a, int b) { return a > b ? a : b; }
int Smaller(int a, int b) { return a < b ? a : b; }

// The measures of one screen: a tap target is at least 22 pixels high, a
// line of the system font at least 18.
struct Measures {
  int margin;
  int line;
  int button;
  explicit Measures(int width, int height)
      : margin(Larger(Smaller(width, height) / 24, 4)), line(Larger(height / 16, 18)), button(Larger(height / 12, 22)) {}
};

Rect Row(int left, int right, int top, int height) { return {left, top, right, top + height}; }

}  // namespace

StartupLayout LayOutStartupScreen(int width, int height) {
  const Measures m(width, height);
  StartupLayout layout;
  const int codeTop = height - m.margin - m.button;
  const int inner = width - 2 * m.margin;
  const int labelRight = m.margin + inner * 2 / 5;
  const int buttonLeft = width - m.margin - inner / 4;
  layout.codeLabel = Row(m.margin, labelRight, codeTop, m.button);
  layout.codeBox = Row(labelRight + m.margin / 2, buttonLeft - m.margin / 2, codeTop, m.button);
  layout.codeButton = Row(buttonLeft, width - m.margin, codeTop, m.button);
  const int continueWidth = Smaller(Larger(width / 3, 60), inner);
  const int continueLeft = (width - continueWidth) / 2;
  layout.continueButton = Row(continueLeft, continueLeft + continueWidth, codeTop - m.margin - m.button, m.button);
  layout.countdown = Row(m.margin, width - m.margin, layout.continueButton.top - m.margin - m.line, m.line);
  layout.version = Row(m.margin, width - m.margin, layout.countdown.top - m.line, m.line);
  layout.logo = {m.margin, m.margin, width - m.margin, Larger(layout.version.top - m.margin, m.margin)};
  return layout;
}

DesktopLayout LayOutKioskDesktop(int width, int height) {
  const Measures m(width, height);
  DesktopLayout layout;
  layout.title = Row(m.margin, width - m.margin, m.margin, m.button);
  layout.list = {m.margin, layout.title.bottom + m.margin, width - m.margin, height - m.margin};
  return layout;
}

CodePromptLayout LayOutCodePrompt(int width, int height) {
  const Measures m(width, height);
  CodePromptLayout layout;
  // The question may take two lines.
  const int boxHeight = 4 * m.margin + 2 * m.line + 2 * m.button;
  const int boxTop = (height - boxHeight) / 2;
  layout.box = {m.margin, boxTop, width - m.margin, boxTop + boxHeight};
  const int left = layout.box.left + m.margin;
  const int right = layout.box.right - m.margin;
  layout.question = Row(left, right, boxTop + m.margin, 2 * m.line);
  layout.codeBox = Row(left, right, layout.question.bottom + m.margin, m.button);
  const int buttonTop = layout.codeBox.bottom + m.margin;
  const int middle = (left + right) / 2;
  layout.okButton = Row(left, middle - m.margin / 2, buttonTop, m.button);
  layout.cancelButton = Row(middle + m.margin / 2, right, buttonTop, m.button);
  return layout;
}

LogoPlacement PlaceLogo(const Rect& area, int bitmapWidth, int bitmapHeight, bool fitToArea) {
  if (bitmapWidth <= 0 || bitmapHeight <= 0 || area.Width() <= 0 || area.Height() <= 0) return {};
  if (fitToArea) return {area, {0, 0, bitmapWidth, bitmapHeight}};
  const int width = Smaller(bitmapWidth, area.Width());
  const int height = Smaller(bitmapHeight, area.Height());
  const int left = area.left + (area.Width() - width) / 2;
  const int top = area.top + (area.Height() - height) / 2;
  const int sourceLeft = (bitmapWidth - width) / 2;
  const int sourceTop = (bitmapHeight - height) / 2;
  return {{left, top, left + width, top + height}, {sourceLeft, sourceTop, sourceLeft + width, sourceTop + height}};
}

}  // namespace device::kiosk_engine
