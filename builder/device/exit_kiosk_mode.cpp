// The Device Controller's remote exit from kiosk mode, after a login.
#include "builder/device/admin_login_dialog.h"
#include "builder/device/core/device_texts.h"
#include "builder/device/device_controller_dialog.h"
#include "device/engine_contract/engine_contract.h"
#include "framework/message_box.h"
#include "support/remote_api.h"

namespace builder::device {

namespace engine_contract = ::device::engine_contract;

void DeviceControllerDialog::OnExitKioskMode() {
  if (!m_connected) return;
  AdminLoginDialog& login = AdminLogin();
  if (!login.Authenticated()) {
    // A failed call has shown its message already.
    if (login.DoModal() == IDCANCEL || !login.Authenticated()) return;
  }
  const auto& api = support::RemoteApi::Instance();
  DWORD outputSize = 0;
  BYTE* output = nullptr;
  const HRESULT result = api.Invoke(engine_contract::kManagerLibraryName.wide,
                                    engine_contract::kExitKioskModeExport.wide, 0, nullptr, &outputSize, &output);
  if (output) LocalFree(output);
  if (result < 0) {
    api.LastError();
    framework::FrameworkMessageBox(kExitFailedMessage);
  }
}

}  // namespace builder::device
