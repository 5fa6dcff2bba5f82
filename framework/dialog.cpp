#include "framework/dialog.h"

#include "framework/data_exchange.h"
#include "framework/wait_cursor.h"

namespace framework {

Dialog::Dialog(int resourceId, HWND parent) : resourceId_(resourceId), parent_(parent) {}

INT_PTR Dialog::DoModal() {
  // A dialog built without a parent is owned by the window that is active, so
  // that it blocks that window for as long as it runs.
  HWND owner = parent_ ? parent_ : GetActiveWindow();
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId_), owner, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

bool Dialog::UpdateData(bool saveAndValidate) {
  // A failing exchange focuses its control; a focus handler that exchanges
  // again would fail again and never let the user out of the message boxes.
  if (exchanging_) return false;
  exchanging_ = true;
  DataExchange exchange(hwnd_, saveAndValidate);
  bool succeeded = true;
  try {
    DoDataExchange(exchange);
  } catch (const DataExchangeFailure&) {
    succeeded = false;
  }
  exchanging_ = false;
  return succeeded;
}

void Dialog::EndDialog(int result) { ::EndDialog(hwnd_, result); }

void Dialog::SetItemText(int id, const std::string& text) { SetDlgItemTextA(hwnd_, id, text.c_str()); }

void Dialog::EnableItem(int id, bool enable) { EnableWindow(Item(id), enable ? TRUE : FALSE); }

BOOL Dialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      RouteCommand(wParam, lParam);
      return TRUE;
    case WM_SETCURSOR:
      if (WaitCursor::Active()) {
        WaitCursor::Show();
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      break;
    default:
      break;
  }
  bool handled = false;
  INT_PTR result = OnMessage(message, wParam, lParam, handled);
  return handled ? result : FALSE;
}

void Dialog::RouteCommand(WPARAM wParam, LPARAM lParam) {
  if (PreRouteCommand(wParam, lParam)) return;
  const WORD id = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  if (DispatchCommand(code, id)) return;
  if (code == BN_CLICKED && id == IDOK) OnOK();
  if (code == BN_CLICKED && id == IDCANCEL) OnCancel();
}

}  // namespace framework
