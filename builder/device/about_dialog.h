#pragma once
#include <windows.h>

#include "framework/dialog.h"

namespace builder::device {

// Shows the builder's version and the kiosk engine's, read from their files.
class AboutDialog : public framework::Dialog {
 public:
  explicit AboutDialog(HWND owner);

 protected:
  BOOL OnInitDialog() override;
};

// Shows the about box until the user closes it.
void ShowAboutBox(HWND owner);

}  // namespace builder::device
