#include "framework/combo_box.h"

namespace framework {

int ComboBox::AddString(const char* text) const {
  return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void ComboBox::ResetContent() const { Send(CB_RESETCONTENT); }

int ComboBox::GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }

void ComboBox::SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }

}  // namespace framework
