#pragma once
#include "framework/control.h"

namespace framework {

// A combo box. Indexes count from 0; CB_ERR means none.
class ComboBox : public Control {
 public:
  using Control::Control;

  int AddString(const char* text) const;
  void ResetContent() const;
  int GetCurSel() const;
  void SetCurSel(int index) const;
};

}  // namespace framework
