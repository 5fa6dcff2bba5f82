#include "framework/list_box.h"

namespace framework {

int ListBox::AddString(const char* text) const {
  return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int ListBox::InsertString(int index, const char* text) const {
  return static_cast<int>(Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

void ListBox::ResetContent() const { Send(LB_RESETCONTENT); }

void ListBox::InitStorage(int count) const { Send(LB_INITSTORAGE, static_cast<WPARAM>(count)); }

int ListBox::GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }

int ListBox::GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }

void ListBox::SetCurSel(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }

}  // namespace framework
