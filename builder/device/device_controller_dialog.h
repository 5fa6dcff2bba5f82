#pragma once
#include <string>

#include "framework/dialog.h"
#include "platform/rapi.h"

namespace builder::device {

// What one connection attempt's worker may use: never the dialog itself.
// The record stays here because the Remote API fills it while its set-up
// runs, which can outlast the worker's wait.
struct ConnectionAttempt {
  HWND window = nullptr;
  HANDLE stopEvent = nullptr;
  RAPIINIT record{};
};

// The Device Controller window: connects to the device on a worker thread,
// shows the connection's state and offers the remote exit from kiosk mode.
class DeviceControllerDialog : public framework::TableDialog<DeviceControllerDialog> {
 public:
  explicit DeviceControllerDialog(HWND owner);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void OnConnect();
  void OnDisconnect();
  void OnExitKioskMode();
  void OnCaptureScreenshot();
  void UpdateButtons();
  void SetStatus(std::string text);
  static DWORD WINAPI ConnectionThreadProc(void* attempt);
  void OnConnectionFinished(HRESULT result);
  void JoinWorker();
  void Teardown(int result);

  static const framework::CommandBinding<DeviceControllerDialog> kCommands[];

  int32_t m_connected = 0;
  HANDLE m_stopEvent = nullptr;
  int32_t m_busy = 0;
  ConnectionAttempt attempt_;
  HANDLE worker_ = nullptr;
};

// Runs the Device Controller until the user closes it.
void ShowDeviceController(HWND owner);

}  // namespace builder::device
