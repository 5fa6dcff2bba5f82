#include "builder/device/device_controller_dialog.h"

#include "builder/app/resource.h"
#include "builder/device/admin_login_dialog.h"
#include "builder/device/core/connection_result.h"
#include "builder/device/core/device_texts.h"
#include "support/remote_api.h"

namespace builder::device {

namespace {

// Posted by the worker when its attempt ends; lParam holds the HRESULT.
constexpr UINT kConnectionFinished = WM_APP + 1;

SetUpWait SetUpWaitOf(DWORD wait) {
  switch (wait) {
    case WAIT_OBJECT_0:
      return SetUpWait::SetUpFinished;
    case WAIT_OBJECT_0 + 1:
      return SetUpWait::Stopped;
    case WAIT_TIMEOUT:
      return SetUpWait::TimedOut;
    default:
      return SetUpWait::Failed;
  }
}

}  // namespace

const framework::CommandBinding<DeviceControllerDialog> DeviceControllerDialog::kCommands[] = {
    {BN_CLICKED, IDC_DEVICE_CONNECT, &DeviceControllerDialog::OnConnect},
    {BN_CLICKED, IDC_DEVICE_DISCONNECT, &DeviceControllerDialog::OnDisconnect},
    {BN_CLICKED, IDC_DEVICE_EXIT_KIOSK, &DeviceControllerDialog::OnExitKioskMode},
    {BN_CLICKED, IDC_DEVICE_SCREENSHOT, &DeviceControllerDialog::OnCaptureScreenshot},
};

DeviceControllerDialog::DeviceControllerDialog(HWND owner) : TableDialog(IDD_DEVICE_CONTROLLER, kCommands, owner) {}

INT_PTR DeviceControllerDialog::OnMessage(UINT message, WPARAM, LPARAM lParam, bool& handled) {
  handled = message == kConnectionFinished;
  if (handled) OnConnectionFinished(static_cast<HRESULT>(lParam));
  return 0;
}

BOOL DeviceControllerDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  m_connected = 0;
  AdminLogin().ForgetLogin();
  m_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  OnConnect();
  UpdateButtons();
  return TRUE;
}

void DeviceControllerDialog::OnConnect() {
  if (m_busy) return;
  SetStatus(kStatusConnecting);
  // Raised before the worker exists, so that a second click finds it set.
  m_busy = 1;
  attempt_.window = Hwnd();
  attempt_.stopEvent = m_stopEvent;
  worker_ = CreateThread(nullptr, 0, ConnectionThreadProc, &attempt_, 0, nullptr);
  if (worker_ == nullptr) m_busy = 0;
}

DWORD WINAPI DeviceControllerDialog::ConnectionThreadProc(void* parameter) {
  auto& attempt = *static_cast<ConnectionAttempt*>(parameter);
  const auto& api = support::RemoteApi::Instance();
  // A set-up that failed or timed out is still the Remote API's until it is
  // ended; a new one is refused before that.
  api.Uninit();
  attempt.record = {};
  attempt.record.cbSize = sizeof attempt.record;
  std::optional<int32_t> result = api.InitEx(&attempt.record);
  if (*result >= 0) {
    const HANDLE handles[] = {attempt.record.heRapiInit, attempt.stopEvent};
    const DWORD wait = WaitForMultipleObjects(2, handles, FALSE, support::kConnectTimeoutMs);
    const DWORD waitError = wait == WAIT_FAILED ? GetLastError() : 0;
    result = ConnectionResult(SetUpWaitOf(wait), attempt.record.hrRapiInit, waitError);
  }
  // Stopped: the window is being closed and hears nothing more.
  if (!result || WaitForSingleObject(attempt.stopEvent, 0) == WAIT_OBJECT_0) return static_cast<DWORD>(E_FAIL);
  PostMessageA(attempt.window, kConnectionFinished, 0, static_cast<LPARAM>(*result));
  return static_cast<DWORD>(*result);
}

void DeviceControllerDialog::OnConnectionFinished(HRESULT result) {
  // A message still queued from before the teardown finds no window state.
  if (m_stopEvent == nullptr) return;
  JoinWorker();
  m_connected = result >= 0 ? 1 : 0;
  SetStatus(ConnectionStatusText(result));
  UpdateButtons();
  m_busy = 0;
}

void DeviceControllerDialog::JoinWorker() {
  if (worker_ == nullptr) return;
  WaitForSingleObject(worker_, INFINITE);
  CloseHandle(worker_);
  worker_ = nullptr;
}

void DeviceControllerDialog::OnDisconnect() {
  SetStatus(kStatusDisconnecting);
  support::RemoteApi::Instance().Uninit();
  m_connected = 0;
  UpdateButtons();
  SetStatus(kStatusDisconnected);
}

void DeviceControllerDialog::OnCaptureScreenshot() {}

void DeviceControllerDialog::UpdateButtons() {
  EnableItem(IDC_DEVICE_CONNECT, m_connected == 0);
  for (int id : {IDC_DEVICE_DISCONNECT, IDC_DEVICE_EXIT_KIOSK, IDC_DEVICE_SCREENSHOT}) EnableItem(id, m_connected != 0);
}

void DeviceControllerDialog::SetStatus(std::string text) {
  SetItemText(IDC_DEVICE_STATUS, text);
  // Shown at once, also when the next step keeps the thread busy.
  UpdateWindow(Item(IDC_DEVICE_STATUS));
}

void DeviceControllerDialog::OnOK() { Teardown(IDOK); }

// Esc and the close box arrive here: they too must not leave a worker behind.
void DeviceControllerDialog::OnCancel() { Teardown(IDCANCEL); }

void DeviceControllerDialog::Teardown(int result) {
  SetEvent(m_stopEvent);
  // A waiting worker wakes at once; joining it means none outlives the window.
  JoinWorker();
  support::RemoteApi::Instance().Uninit();
  CloseHandle(m_stopEvent);
  m_stopEvent = nullptr;
  m_busy = 0;
  EndDialog(result);
}

void ShowDeviceController(HWND owner) {
  DeviceControllerDialog dialog(owner);
  dialog.DoModal();
}

}  // namespace builder::device
