#include "builder/device/about_dialog.h"

#include "builder/app/resource.h"
#include "builder/device/core/version_text.h"
#include "builder/device/version_resource.h"

namespace builder::device {

AboutDialog::AboutDialog(HWND owner) : Dialog(IDD_ABOUT, owner) {}

BOOL AboutDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  SetItemText(IDC_BUILDER_VERSION, GetVersionText(VersionSource::Builder));
  const std::string engine = GetVersionText(VersionSource::Engine);
  SetItemText(IDC_ENGINE_VERSION, engine.empty() ? kVersionErrorText : engine);
  return TRUE;
}

void ShowAboutBox(HWND owner) {
  AboutDialog dialog(owner);
  dialog.DoModal();
}

}  // namespace builder::device
