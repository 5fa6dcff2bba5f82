#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "builder/project/application_list.h"
#include "framework/dialog.h"

namespace builder::project {

// "Application Information": edits one Application entry. Fill the fields,
// run it, and read them back after IDOK.
class AppEntryDialog : public framework::Dialog {
 public:
  explicit AppEntryDialog(HWND owner);

  std::string m_displayName;
  std::string m_path;
  std::string m_params;
  int32_t m_autolaunch = 0;
  int32_t m_hideInKioskDesktop = 0;

 protected:
  void DoDataExchange(framework::DataExchange& dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};

// Shows the entry in the dialog: the accepted entry, or nothing when cancelled.
std::optional<ApplicationEntry> EditApplication(HWND owner, const ApplicationEntry& entry);

}  // namespace builder::project
