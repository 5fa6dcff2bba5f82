#pragma once
// The desktop's Remote API library (rapi.dll), bound at run time: without it
// every call fails the ordinary way and the caller still runs.
#include <string>

#include "platform/rapi.h"
#include "support/library.h"

namespace support {

// How long a connection attempt waits for the device to answer.
inline constexpr DWORD kConnectTimeoutMs = 10000;

// The exports as bound; null for one the library lacks.
struct RapiExports {
  CeRapiInitExFunction initEx;
  CeRapiUninitFunction uninit;
  CeRapiInvokeFunction invoke;
  CeGetLastErrorFunction lastError;
  CeCreateFileFunction createFile;
  CeWriteFileFunction writeFile;
  CeCloseHandleFunction closeHandle;
  CeCreateProcessFunction createProcess;
  CeGetSystemInfoFunction getSystemInfo;
};

class RemoteApi {
 public:
  // The program's own binding, kept loaded for the program's life.
  static RemoteApi& Instance();

  RemoteApi();
  // Ends a set-up that Connect started.
  ~RemoteApi();
  RemoteApi(const RemoteApi&) = delete;
  RemoteApi& operator=(const RemoteApi&) = delete;

  bool Loaded() const { return library_.Loaded(); }
  // The exports themselves, for calls that the wrappers below do not make.
  const RapiExports& Exports() const { return exports_; }

  // Without rapi.dll, InitEx fails as a missing module, Uninit does nothing
  // and Invoke answers as without a connection.
  HRESULT InitEx(RAPIINIT* init) const;
  HRESULT Uninit() const;
  // Block mode: no stream.
  HRESULT Invoke(LPCWSTR dll, LPCWSTR function, DWORD cbInput, BYTE* input, DWORD* cbOutput, BYTE** output) const;
  // Asked after every failed call, as the Remote API expects; no message shows it.
  DWORD LastError() const;

  // Starts the set-up and waits for it: the set-up's result, or the time-out.
  HRESULT Connect(DWORD timeoutMs = kConnectTimeoutMs);
  // Copies a desktop file to a device path; false on any failure.
  bool CopyToDevice(const std::string& desktopPath, const std::wstring& devicePath) const;
  // Starts a program on the device; false when it could not be started.
  bool StartOnDevice(const std::wstring& program, const std::wstring& commandLine = L"") const;
  // The device's dwProcessorType; 0 when it could not be asked.
  DWORD ProcessorType() const;

 private:
  Library library_;
  RapiExports exports_;
  // The set-up may write into it until CeRapiUninit.
  RAPIINIT init_{};
  bool started_ = false;
};

}  // namespace support
