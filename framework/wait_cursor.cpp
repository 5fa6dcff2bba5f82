#include "framework/wait_cursor.h"

#include <windows.h>

namespace framework {

namespace {
int g_waitCount = 0;
}  // namespace

void WaitCursor::Begin() {
  ++g_waitCount;
  Show();
}

void WaitCursor::Restore() {
  if (Active()) Show();
}

void WaitCursor::End() {
  if (g_waitCount > 0) --g_waitCount;
  SetCursor(LoadCursorA(nullptr, Active() ? IDC_WAIT : IDC_ARROW));
}

bool WaitCursor::Active() { return g_waitCount > 0; }

void WaitCursor::Show() { SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

}  // namespace framework
