#include "builder/project/app_entry_dialog.h"

#include "builder/app/resource.h"
#include "framework/data_exchange.h"
#include "framework/message_box.h"

namespace builder::project {

namespace {
constexpr int kLabelMaxChars = 64;
constexpr int kPathMaxChars = 256;
constexpr int kParamsMaxChars = 256;
}  // namespace

AppEntryDialog::AppEntryDialog(HWND owner) : Dialog(IDD_APP_ENTRY, owner) {}

void AppEntryDialog::DoDataExchange(framework::DataExchange& dx) {
  dx.Text(IDC_APP_LABEL, m_displayName);
  dx.MaxChars(m_displayName, kLabelMaxChars);
  dx.Text(IDC_APP_PATH, m_path);
  dx.MaxChars(m_path, kPathMaxChars);
  dx.Text(IDC_APP_PARAMS, m_params);
  dx.MaxChars(m_params, kParamsMaxChars);
  dx.Check(IDC_APP_AUTOLAUNCH, m_autolaunch);
  dx.Check(IDC_APP_HIDE, m_hideInKioskDesktop);
}

BOOL AppEntryDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  if (m_displayName.empty()) SetItemText(IDC_APP_LABEL, "[Enter Application Name here]");
  if (m_path.empty()) SetItemText(IDC_APP_PATH, "[Enter Application Path here]");
  return TRUE;
}

void AppEntryDialog::OnOK() {
  if (!UpdateData(true)) return;
  if (m_displayName.empty()) {
    framework::FrameworkMessageBox("Please enter name of application like Pocket Word, Internet Explorer etc.");
    SetFocus(Item(IDC_APP_LABEL));
    return;
  }
  if (m_path.empty()) {
    framework::FrameworkMessageBox("Please enter path of the target application on the device");
    SetFocus(Item(IDC_APP_PATH));
    return;
  }
  EndDialog(IDOK);
}

std::optional<ApplicationEntry> EditApplication(HWND owner, const ApplicationEntry& entry) {
  AppEntryDialog dialog(owner);
  dialog.m_displayName = entry.display_name;
  dialog.m_path = entry.path;
  dialog.m_params = entry.params;
  dialog.m_autolaunch = entry.autolaunch;
  dialog.m_hideInKioskDesktop = entry.hideinkioskdesktop;
  if (dialog.DoModal() != IDOK) return std::nullopt;
  return ApplicationEntry{dialog.m_displayName, dialog.m_path, dialog.m_params, dialog.m_autolaunch,
                          dialog.m_hideInKioskDesktop};
}

}  // namespace builder::project
