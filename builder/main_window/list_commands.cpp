// The main window's commands on the Application list.
#include "builder/main_window/main_dialog.h"
#include "builder/project/app_entry_dialog.h"
#include "builder/project/application_list.h"

namespace builder::main_window {

// While it may draw, the box redraws itself and its scroll bar for every row
// inserted, some milliseconds a row. So it is filled undrawn, with room for
// every row made at once, and drawn once at the end.
void MainDialog::RefreshList() {
  const project::ApplicationList& list = project::TheApplicationList();
  appList_.SetRedraw(false);
  appList_.ResetContent();
  appList_.InitStorage(list.Count());
  for (int i = 0; i < list.Count(); ++i) appList_.InsertString(i, list.EntryAt(i).path.c_str());
  appList_.SetRedraw(true);
  appList_.Invalidate();
}

void MainDialog::OnAdd() {
  // A path already listed is dropped without a word; the box is refreshed all the same.
  if (const auto added = project::EditApplication(Hwnd(), {})) {
    project::TheApplicationList().AddUnique(*added);
    RefreshList();
  }
}

void MainDialog::OnRemove() {
  if (project::TheApplicationList().Count() == 0) return;
  const int selection = appList_.GetCurSel();
  if (selection == LB_ERR) return;
  project::TheApplicationList().RemoveAt(selection);
  RefreshList();
}

void MainDialog::OnModify() {
  project::ApplicationList& list = project::TheApplicationList();
  if (list.Count() == 0) return;
  const int selection = appList_.GetCurSel();
  if (selection == LB_ERR) return;
  if (const auto edited = project::EditApplication(Hwnd(), list.EntryAt(selection))) list.ReplaceAt(selection, *edited);
  RefreshList();  // also after Cancel, which drops the selection
}

void MainDialog::OnUp() { MoveSelectedEntry(-1); }

void MainDialog::OnDown() { MoveSelectedEntry(+1); }

// The moved entry stays selected; nothing moves past either end.
void MainDialog::MoveSelectedEntry(int step) {
  if (project::TheApplicationList().Count() == 0) return;
  const int selection = appList_.GetCurSel();
  const int target = selection + step;
  if (selection == LB_ERR || target < 0 || target >= appList_.GetCount()) return;
  project::MoveEntry(project::TheApplicationList(), selection, target);
  RefreshList();
  appList_.SetCurSel(target);
}

}  // namespace builder::main_window
