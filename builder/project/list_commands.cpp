// The main window's commands on the Application list.
#include "builder/app/resource.h"
#include "builder/main_window/main_dialog.h"
#include "builder/project/app_entry_dialog.h"
#include "builder/project/application_list.h"

namespace builder {

// While it may draw, the box redraws itself and its scroll bar for every row
// inserted, some milliseconds a row. So it is filled undrawn, with room for
// every row made at once, and drawn once at the end.
void MainDialog::RefreshList() {
  HWND box = Item(IDC_APP_LIST);
  const ApplicationList& list = TheApplicationList();
  SendMessageA(box, WM_SETREDRAW, FALSE, 0);
  SendMessageA(box, LB_RESETCONTENT, 0, 0);
  SendMessageA(box, LB_INITSTORAGE, static_cast<WPARAM>(list.Count()), 0);
  for (int i = 0; i < list.Count(); ++i) {
    SendMessageA(box, LB_INSERTSTRING, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(list.EntryAt(i).path.c_str()));
  }
  SendMessageA(box, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(box, nullptr, TRUE);
}

int MainDialog::ListSelection() const {
  return static_cast<int>(SendDlgItemMessageA(Hwnd(), IDC_APP_LIST, LB_GETCURSEL, 0, 0));
}

void MainDialog::SelectListRow(int row) {
  SendDlgItemMessageA(Hwnd(), IDC_APP_LIST, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void MainDialog::OnAdd() {
  AppEntryDialog dialog;
  if (dialog.DoModal() == IDOK) RefreshList();
}

void MainDialog::OnRemove() {
  if (TheApplicationList().Count() == 0) return;
  const int selection = ListSelection();
  if (selection == LB_ERR) return;
  TheApplicationList().RemoveAt(selection);
  RefreshList();
}

void MainDialog::OnModify() {
  const ApplicationList& list = TheApplicationList();
  if (list.Count() == 0) return;
  const int selection = ListSelection();
  if (selection == LB_ERR) return;
  AppEntryDialog dialog;  // It reads the entry from the list itself.
  dialog.m_index = selection;
  dialog.DoModal();
  RefreshList();
}

void MainDialog::OnUp() {
  ApplicationList& list = TheApplicationList();
  if (list.Count() == 0) return;
  const int selection = ListSelection();
  if (selection == LB_ERR || selection == 0) return;
  const ApplicationEntry moved = list.EntryAt(selection);
  list.RemoveAt(selection);
  list.InsertAt(selection - 1, moved);
  RefreshList();
  SelectListRow(selection - 1);
}

void MainDialog::OnDown() {
  ApplicationList& list = TheApplicationList();
  if (list.Count() == 0) return;
  const int selection = ListSelection();
  const int rows = static_cast<int>(SendDlgItemMessageA(Hwnd(), IDC_APP_LIST, LB_GETCOUNT, 0, 0));
  if (selection == LB_ERR || selection >= rows - 1) return;
  const ApplicationEntry moved = list.EntryAt(selection);
  list.RemoveAt(selection);
  list.InsertAt(selection + 1, moved);
  RefreshList();
  SelectListRow(selection + 1);
}

}  // namespace builder
