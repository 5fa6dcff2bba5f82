#pragma once
#include "framework/control.h"

namespace framework {

// A single-selection list box. Indexes count from 0; LB_ERR means none.
class ListBox : public Control {
 public:
  using Control::Control;

  int AddString(const char* text) const;
  // Inserts before the row at index; -1 appends.
  int InsertString(int index, const char* text) const;
  void ResetContent() const;
  // Makes room for count rows at once before they are inserted.
  void InitStorage(int count) const;
  int GetCount() const;
  int GetCurSel() const;
  void SetCurSel(int index) const;
};

}  // namespace framework
