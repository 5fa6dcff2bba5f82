#pragma once
#include "framework/dialog.h"

namespace builder {

// Shows the builder's version and the kiosk engine's, read from their files.
class AboutDialog : public framework::Dialog {
 public:
  AboutDialog();

 protected:
  BOOL OnInitDialog() override;
};

}  // namespace builder
