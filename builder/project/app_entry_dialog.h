#pragma once
#include <cstdint>
#include <string>

#include "framework/dialog.h"

namespace builder {

// "Application Information": edits one entry of the Application list.
class AppEntryDialog : public framework::Dialog {
 public:
  AppEntryDialog();

  int32_t m_index = -1;
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

}  // namespace builder
