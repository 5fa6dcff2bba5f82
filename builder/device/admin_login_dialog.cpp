#include "builder/device/admin_login_dialog.h"

#include "builder/app/resource.h"
#include "builder/device/core/device_texts.h"
#include "builder/device/core/login_request.h"
#include "device/engine_contract/engine_contract.h"
#include "framework/data_exchange.h"
#include "framework/message_box.h"
#include "support/remote_api.h"

namespace builder::device {

namespace engine_contract = ::device::engine_contract;

namespace {

// Carries the code to the remote call; zero at start.
char16_t g_loginBuffer[kLoginBufferUnits];

AdminLoginDialog g_adminLogin;

}  // namespace

AdminLoginDialog& AdminLogin() { return g_adminLogin; }

AdminLoginDialog::AdminLoginDialog() : Dialog(IDD_ADMIN_LOGIN) {}

void AdminLoginDialog::DoDataExchange(framework::DataExchange& dx) {
  dx.Text(IDC_LOGIN_CODE, m_code);
  dx.MaxChars(m_code, kLoginCodeMaxChars);
}

BOOL AdminLoginDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  m_code.clear();
  UpdateData(false);
  SetFocus(Item(IDC_LOGIN_CODE));
  return TRUE;
}

void AdminLoginDialog::OnOK() {
  if (!UpdateData(true)) return;
  m_authenticated = 0;
  const DWORD inputSize = EncodeLoginCode(m_code, g_loginBuffer);
  const auto& api = support::RemoteApi::Instance();
  DWORD outputSize = 0;
  BYTE* output = nullptr;
  // The Remote API frees the request once it is sent: it goes in a block of
  // its own, never in the program-wide buffer.
  BYTE* request = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, inputSize));
  if (request) CopyMemory(request, g_loginBuffer, inputSize);
  const HRESULT result = request ? api.Invoke(engine_contract::kManagerLibraryName.wide,
                                              engine_contract::kCheckLoginExport.wide, inputSize, request, &outputSize,
                                              &output)
                                 : E_OUTOFMEMORY;
  if (result < 0) {
    api.LastError();
    framework::FrameworkMessageBox(LoginFailureMessage(result));
    if (output) LocalFree(output);
    EndDialog(IDOK);
    return;
  }
  m_authenticated = ParseVerdict(output, outputSize) ? 1 : 0;
  if (output) LocalFree(output);
  if (m_authenticated) {
    EndDialog(IDOK);
    return;
  }
  framework::FrameworkMessageBox(kInvalidPasswordMessage);
  ClearCodeForRetry();
}

void AdminLoginDialog::ClearCodeForRetry() {
  m_code.clear();
  UpdateData(false);
  SetFocus(Item(IDC_LOGIN_CODE));
}

}  // namespace builder::device
