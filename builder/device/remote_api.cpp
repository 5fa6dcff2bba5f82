#include "builder/device/remote_api.h"

#include "builder/device/core/connection_result.h"

namespace device {

namespace {

template <class Function>
Function Bind(HMODULE library, const char* name) {
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

RemoteApi& RemoteApi::Instance() {
  static RemoteApi api;
  return api;
}

RemoteApi::RemoteApi() {
  // Kept loaded for the program's life.
  HMODULE library = LoadLibraryA("rapi.dll");
  initEx_ = Bind<CeRapiInitExFunction>(library, "CeRapiInitEx");
  uninit_ = Bind<CeRapiUninitFunction>(library, "CeRapiUninit");
  invoke_ = Bind<CeRapiInvokeFunction>(library, "CeRapiInvoke");
  lastError_ = Bind<CeGetLastErrorFunction>(library, "CeGetLastError");
}

HRESULT RemoteApi::InitEx(RAPIINIT* init) const {
  return initEx_ ? initEx_(init) : HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
}

HRESULT RemoteApi::Uninit() const { return uninit_ ? uninit_() : S_OK; }

HRESULT RemoteApi::Invoke(LPCWSTR dll, LPCWSTR function, DWORD cbInput, BYTE* input, DWORD* cbOutput,
                          BYTE** output) const {
  *cbOutput = 0;
  *output = nullptr;
  // Block mode: no stream, reserved 0.
  return invoke_ ? invoke_(dll, function, cbInput, input, cbOutput, output, nullptr, 0) : kNoConnection;
}

DWORD RemoteApi::LastError() const { return lastError_ ? lastError_() : 0; }

}  // namespace device
