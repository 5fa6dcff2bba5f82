#include "builder/project/app_entry_dialog.h"

#include "builder/app/resource.h"
#include "builder/project/application_list.h"
#include "framework/data_exchange.h"
#include "framework/message_box.h"

namespace builder {

namespace {
constexpr int kLabelMaxChars = 64;
constexpr int kPathMaxChars = 256;
constexpr int kParamsMaxChars = 256;
}  // namespace

AppEntryDialog::AppEntryDialog() : Dialog(IDD_APP_ENTRY) {}

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
  if (m_index != -1) {
    const ApplicationEntry entry = TheApplicationList().EntryAt(m_index);
    m_displayName = entry.display_name;
    m_path = entry.path;
    m_params = entry.params;
    m_autolaunch = entry.autolaunch;
    m_hideInKioskDesktop = entry.hideinkioskdesktop;
  }
  UpdateData(false);
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
  const ApplicationEntry entry{m_displayName, m_path, m_params, m_autolaunch, m_hideInKioskDesktop};
  if (m_index == -1) {
    TheApplicationList().AddUnique(entry);
  } else {
    TheApplicationList().ReplaceAt(m_index, entry);
  }
  EndDialog(IDOK);
}

}  // namespace builder
