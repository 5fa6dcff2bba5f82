#pragma once
// The test's own use of the Remote API (the rapi.dll of the session's prefix).
#include <string>

#include "standins/rapi/rapi.h"

namespace device_test {

class DeviceRemote {
 public:
  DeviceRemote();
  ~DeviceRemote();
  DeviceRemote(const DeviceRemote&) = delete;
  DeviceRemote& operator=(const DeviceRemote&) = delete;

  bool Loaded() const { return library_ != nullptr; }
  // Starts the set-up and waits for it; the set-up's result, or the time-out.
  HRESULT Connect(DWORD timeoutMs = 5000);
  void Disconnect();
  // Copies a desktop file to a device path in blocks.
  bool CopyToDevice(const std::string& desktopPath, const std::wstring& devicePath);
  bool StartOnDevice(const std::wstring& devicePath, const std::wstring& arguments = L"");

  CeRapiInitExFunction initEx = nullptr;
  CeRapiUninitFunction uninit = nullptr;
  CeRapiInvokeFunction invoke = nullptr;
  CeGetLastErrorFunction lastError = nullptr;
  CeCreateFileFunction createFile = nullptr;
  CeWriteFileFunction writeFile = nullptr;
  CeCloseHandleFunction closeHandle = nullptr;
  CeCreateProcessFunction createProcess = nullptr;

 private:
  HMODULE library_;
  RAPIINIT init_{};
};

}  // namespace device_test
