#include "tests/gui_driver/file_dialogs.h"

#include <dlgs.h>

namespace gui_driver {

namespace {

// The explorer-style dialog names its file box cmb13 (a combo box with an
// edit); older templates use edt1.
HWND FileNameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, cmb13);
  return box ? box : GetDlgItem(dialog, edt1);
}

bool Press(DWORD processId, const std::string& dialogCaption, HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
  return WaitDialogGone(processId, dialogCaption);
}

}  // namespace

bool ChooseFile(DWORD processId, const std::string& dialogCaption, const std::string& path) {
  HWND dialog = FindDialog(processId, dialogCaption);
  HWND box = dialog ? FileNameBox(dialog) : nullptr;
  if (!box) return false;
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  return Press(processId, dialogCaption, dialog, IDOK);
}

bool CancelFileDialog(DWORD processId, const std::string& dialogCaption) {
  HWND dialog = FindDialog(processId, dialogCaption);
  return dialog && Press(processId, dialogCaption, dialog, IDCANCEL);
}

}  // namespace gui_driver
