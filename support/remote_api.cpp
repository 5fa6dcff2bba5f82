#include "support/remote_api.h"

#include <cstdio>
#include <vector>

namespace support {

RemoteApi& RemoteApi::Instance() {
  static RemoteApi* const instance = new RemoteApi;
  return *instance;
}

RemoteApi::RemoteApi()
    : library_("rapi.dll"),
      exports_{library_.Bind<CeRapiInitExFunction>("CeRapiInitEx"),
               library_.Bind<CeRapiUninitFunction>("CeRapiUninit"),
               library_.Bind<CeRapiInvokeFunction>("CeRapiInvoke"),
               library_.Bind<CeGetLastErrorFunction>("CeGetLastError"),
               library_.Bind<CeCreateFileFunction>("CeCreateFile"),
               library_.Bind<CeWriteFileFunction>("CeWriteFile"),
               library_.Bind<CeCloseHandleFunction>("CeCloseHandle"),
               library_.Bind<CeCreateProcessFunction>("CeCreateProcess"),
               library_.Bind<CeGetSystemInfoFunction>("CeGetSystemInfo")} {}

RemoteApi::~RemoteApi() {
  if (started_) Uninit();
}

HRESULT RemoteApi::InitEx(RAPIINIT* init) const {
  return exports_.initEx ? exports_.initEx(init) : HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
}

HRESULT RemoteApi::Uninit() const { return exports_.uninit ? exports_.uninit() : S_OK; }

HRESULT RemoteApi::Invoke(LPCWSTR dll, LPCWSTR function, DWORD cbInput, BYTE* input, DWORD* cbOutput,
                          BYTE** output) const {
  *cbOutput = 0;
  *output = nullptr;
  return exports_.invoke ? exports_.invoke(dll, function, cbInput, input, cbOutput, output, nullptr, 0)
                         : kRapiNoConnection;
}

DWORD RemoteApi::LastError() const { return exports_.lastError ? exports_.lastError() : 0; }

HRESULT RemoteApi::Connect(DWORD timeoutMs) {
  init_ = {};
  init_.cbSize = sizeof init_;
  const HRESULT started = InitEx(&init_);
  if (FAILED(started)) return started;
  started_ = true;  // a pending set-up is ended by CeRapiUninit too
  if (WaitForSingleObject(init_.heRapiInit, timeoutMs) != WAIT_OBJECT_0) return HRESULT_FROM_WIN32(WAIT_TIMEOUT);
  return init_.hrRapiInit;
}

bool RemoteApi::CopyToDevice(const std::string& desktopPath, const std::wstring& devicePath) const {
  if (!exports_.createFile || !exports_.writeFile || !exports_.closeHandle) return false;
  FILE* source = std::fopen(desktopPath.c_str(), "rb");
  if (!source) return false;
  HANDLE target = exports_.createFile(devicePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  bool sent = target != INVALID_HANDLE_VALUE;
  std::vector<char> chunk(64 * 1024);
  while (sent) {
    const size_t read = std::fread(chunk.data(), 1, chunk.size(), source);
    if (read == 0) break;
    DWORD written = 0;
    sent = exports_.writeFile(target, chunk.data(), static_cast<DWORD>(read), &written, nullptr) && written == read;
  }
  sent = sent && !std::ferror(source);
  std::fclose(source);
  if (target != INVALID_HANDLE_VALUE) sent = exports_.closeHandle(target) && sent;
  return sent;
}

bool RemoteApi::StartOnDevice(const std::wstring& program, const std::wstring& commandLine) const {
  if (!exports_.createProcess) return false;
  PROCESS_INFORMATION process{};
  if (!exports_.createProcess(program.c_str(), commandLine.c_str(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              nullptr, &process)) {
    return false;
  }
  if (exports_.closeHandle) {
    if (process.hProcess) exports_.closeHandle(process.hProcess);
    if (process.hThread) exports_.closeHandle(process.hThread);
  }
  return true;
}

DWORD RemoteApi::ProcessorType() const {
  if (!exports_.getSystemInfo) return 0;
  SYSTEM_INFO device{};
  exports_.getSystemInfo(&device);
  return device.dwProcessorType;
}

}  // namespace support
