#pragma once
#include <string>

#include "framework/dialog.h"

namespace builder::device {

// Sends the typed administrator code to the device's CheckLogin. One
// instance lives for the whole run, so the login outlasts each showing; the
// Device Controller forgets it at every opening.
class AdminLoginDialog : public framework::Dialog {
 public:
  AdminLoginDialog();

  bool Authenticated() const { return m_authenticated != 0; }
  void ForgetLogin() { m_authenticated = 0; }

 protected:
  void DoDataExchange(framework::DataExchange& dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  void ClearCodeForRetry();

  std::string m_code;
  int32_t m_authenticated = 0;
};

// The program's one login dialog.
AdminLoginDialog& AdminLogin();

}  // namespace builder::device
