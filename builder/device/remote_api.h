#pragma once
// The desktop's Remote API library (rapi.dll), bound at run time: without it
// every connection attempt fails the ordinary way and the builder still runs.
#include "standins/rapi/rapi.h"

namespace device {

class RemoteApi {
 public:
  static RemoteApi& Instance();

  HRESULT InitEx(RAPIINIT* init) const;
  HRESULT Uninit() const;
  HRESULT Invoke(LPCWSTR dll, LPCWSTR function, DWORD cbInput, BYTE* input, DWORD* cbOutput, BYTE** output) const;
  // Asked after every failed call, as the Remote API expects; no message shows it.
  DWORD LastError() const;

 private:
  RemoteApi();

  CeRapiInitExFunction initEx_ = nullptr;
  CeRapiUninitFunction uninit_ = nullptr;
  CeRapiInvokeFunction invoke_ = nullptr;
  CeGetLastErrorFunction lastError_ = nullptr;
};

}  // namespace device
