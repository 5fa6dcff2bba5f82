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

void PostPress(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

bool Press(DWORD processId, const std::string& dialogCaption, HWND dialog, int buttonId) {
  PostPress(dialog, buttonId);
  return WaitDialogGone(processId, dialogCaption);
}

}  // namespace

HWND FillFileName(DWORD processId, const std::string& dialogCaption, const std::string& path) {
  HWND dialog = FindDialog(processId, dialogCaption);
  HWND box = dialog ? FileNameBox(dialog) : nullptr;
  if (!box) return nullptr;
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  return dialog;
}

void PostOk(HWND dialog) { PostPress(dialog, IDOK); }

bool ChooseFile(DWORD processId, const std::string& dialogCaption, const std::string& path) {
  HWND dialog = FillFileName(processId, dialogCaption, path);
  return dialog && Press(processId, dialogCaption, dialog, IDOK);
}

bool CancelFileDialog(DWORD processId, const std::string& dialogCaption) {
  HWND dialog = FindDialog(processId, dialogCaption);
  return dialog && Press(processId, dialogCaption, dialog, IDCANCEL);
}

}  // namespace gui_driver
