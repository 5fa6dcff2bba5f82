// rapi.dll stand-in: the Remote API calls, each one request to the emulated
// device over the session's connection.
#include <atomic>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/rapi.h"
#include "standins/rapi/remote_session.h"

namespace rapi_wire = standins::rapi_wire;
using standins::rapi::Session;
using rapi_wire::Operation;
using rapi_wire::Reader;
using rapi_wire::Writer;

namespace {

std::atomic<DWORD> g_deviceLastError{0};

std::u16string DeviceText(LPCWSTR text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

Writer Request(Operation operation) {
  Writer writer;
  writer.U32(static_cast<uint32_t>(operation));
  return writer;
}

// Sends the request; keeps the device's last error of a failed call.
rapi_wire::Response Call(const Writer& request) {
  rapi_wire::Response answer = Session().Call(request.Data());
  if (answer.status < 0) g_deviceLastError = answer.lastError;
  return answer;
}

// A block of the caller's local heap that holds at least size bytes.
bool IsLocalBlock(const BYTE* input, DWORD size) {
  HLOCAL block = LocalHandle(input);
  return block != nullptr && LocalSize(block) >= size;
}

// CeRapiInvoke's input, which the Remote API frees once the call is done.
class OwnedInput {
 public:
  explicit OwnedInput(BYTE* block) : block_(block) {}
  ~OwnedInput() {
    if (block_) LocalFree(block_);
  }
  OwnedInput(const OwnedInput&) = delete;
  OwnedInput& operator=(const OwnedInput&) = delete;

 private:
  BYTE* block_;
};

// Leaves the device's last error as it was: the note is no call of the caller's.
void NoteOnDevice(const std::u16string& line) { Session().Call(Request(Operation::Note).Text(line).Data()); }

HANDLE DeviceHandle(uint64_t value) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(value)); }
uint64_t WireHandle(HANDLE handle) { return reinterpret_cast<uintptr_t>(handle); }

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT WINAPI CeRapiInitEx(RAPIINIT* init) {
  // The record has one layout per pointer size; any other size is a caller
  // built against the wrong one.
  if (init == nullptr || init->cbSize != sizeof(RAPIINIT)) return E_INVALIDARG;
  return Session().Begin(init);
}

__declspec(dllexport) HRESULT WINAPI CeRapiInit() {
  RAPIINIT init{sizeof init, nullptr, 0};
  const HRESULT started = Session().Begin(&init);
  if (FAILED(started)) return started;
  WaitForSingleObject(init.heRapiInit, INFINITE);
  return init.hrRapiInit;
}

__declspec(dllexport) HRESULT WINAPI CeRapiUninit() {
  Session().End();
  return S_OK;
}

__declspec(dllexport) DWORD WINAPI CeGetLastError() { return g_deviceLastError; }

__declspec(dllexport) HRESULT WINAPI CeRapiInvoke(LPCWSTR dllPath, LPCWSTR functionName, DWORD cbInput, BYTE* pInput,
                                                  DWORD* pcbOutput, BYTE** ppOutput, IRAPIStream** ppStream,
                                                  DWORD) {
  if (pcbOutput) *pcbOutput = 0;
  if (ppOutput) *ppOutput = nullptr;
  // The real library would free such an input and corrupt the caller's
  // memory; here the call fails and the device's log says why.
  if (pInput && !IsLocalBlock(pInput, cbInput)) {
    NoteOnDevice(u"CeRapiInvoke " + DeviceText(dllPath) + u" " + DeviceText(functionName) +
                 u": input is not a LocalAlloc block -> 0x80070057");
    return E_INVALIDARG;
  }
  const OwnedInput input(pInput);
  if (!dllPath || !functionName || !pcbOutput || !ppOutput || (cbInput > 0 && !pInput)) return E_INVALIDARG;
  // Only the block mode is offered.
  if (ppStream) return E_NOTIMPL;
  const std::u16string library = DeviceText(dllPath), function = DeviceText(functionName);
  if (cbInput > rapi_wire::MaxInvokeInput(library, function)) return E_INVALIDARG;
  Writer request = Request(Operation::Invoke);
  request.Text(library).Text(function).Blob(pInput, cbInput);
  const rapi_wire::Response answer = Call(request);
  Reader fields(answer.fields);
  const rapi_wire::Bytes output = fields.Blob();
  if (!output.empty()) {
    *ppOutput = static_cast<BYTE*>(LocalAlloc(LPTR, output.size()));
    if (*ppOutput == nullptr) return E_OUTOFMEMORY;
    CopyMemory(*ppOutput, output.data(), output.size());
    *pcbOutput = static_cast<DWORD>(output.size());
  }
  return answer.status;
}

__declspec(dllexport) HANDLE WINAPI CeCreateFile(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                                                 LPSECURITY_ATTRIBUTES, DWORD creationDisposition,
                                                 DWORD flagsAndAttributes, HANDLE) {
  if (!fileName) return INVALID_HANDLE_VALUE;
  Writer request = Request(Operation::CreateFile);
  request.Text(DeviceText(fileName)).U32(desiredAccess).U32(shareMode).U32(creationDisposition).U32(flagsAndAttributes);
  const rapi_wire::Response answer = Call(request);
  Reader fields(answer.fields);
  const uint64_t handle = fields.U64();
  return answer.status < 0 || !fields.Ok() ? INVALID_HANDLE_VALUE : DeviceHandle(handle);
}

__declspec(dllexport) BOOL WINAPI CeWriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                                              LPOVERLAPPED) {
  if (bytesWritten) *bytesWritten = 0;
  if (bytesToWrite > 0 && !buffer) return FALSE;
  Writer request = Request(Operation::WriteFile);
  request.U64(WireHandle(file)).Blob(static_cast<const uint8_t*>(buffer), bytesToWrite);
  const rapi_wire::Response answer = Call(request);
  Reader fields(answer.fields);
  const uint32_t written = fields.U32();
  if (answer.status < 0) return FALSE;
  if (bytesWritten) *bytesWritten = written;
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI CeCloseHandle(HANDLE object) {
  Writer request = Request(Operation::CloseHandle);
  request.U64(WireHandle(object));
  return Call(request).status >= 0;
}

__declspec(dllexport) BOOL WINAPI CeCreateProcess(LPCWSTR applicationName, LPCWSTR commandLine,
                                                  LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                                                  DWORD creationFlags, LPVOID, LPWSTR, LPSTARTUPINFOW,
                                                  LPPROCESS_INFORMATION processInformation) {
  if (!applicationName) return FALSE;
  Writer request = Request(Operation::CreateProcess);
  request.Text(DeviceText(applicationName)).Text(DeviceText(commandLine)).U32(creationFlags);
  const rapi_wire::Response answer = Call(request);
  if (answer.status < 0) return FALSE;
  Reader fields(answer.fields);
  PROCESS_INFORMATION started{};
  started.hProcess = DeviceHandle(fields.U64());
  started.hThread = DeviceHandle(fields.U64());
  started.dwProcessId = fields.U32();
  started.dwThreadId = fields.U32();
  if (processInformation) *processInformation = started;
  return TRUE;
}

// Fills the caller's SYSTEM_INFO, in the desktop's own layout, from the
// device's 32-bit one. The call returns nothing: when the device does not
// answer, the record is left zeroed (processor 0) and CeGetLastError says why.
__declspec(dllexport) void WINAPI CeGetSystemInfo(LPSYSTEM_INFO systemInfo) {
  if (!systemInfo) return;
  *systemInfo = {};
  const rapi_wire::Response answer = Call(Request(Operation::GetSystemInfo));
  Reader fields(answer.fields);
  const std::optional<rapi_wire::DeviceSystemInfo> device = rapi_wire::DecodeSystemInfo(fields.Blob());
  if (answer.status < 0 || !device) return;
  systemInfo->wProcessorArchitecture = device->processorArchitecture;
  systemInfo->dwPageSize = device->pageSize;
  systemInfo->lpMinimumApplicationAddress = reinterpret_cast<LPVOID>(uintptr_t{device->minimumApplicationAddress});
  systemInfo->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(uintptr_t{device->maximumApplicationAddress});
  systemInfo->dwActiveProcessorMask = device->activeProcessorMask;
  systemInfo->dwNumberOfProcessors = device->numberOfProcessors;
  systemInfo->dwProcessorType = device->processorType;
  systemInfo->dwAllocationGranularity = device->allocationGranularity;
  systemInfo->wProcessorLevel = device->processorLevel;
  systemInfo->wProcessorRevision = device->processorRevision;
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&CeRapiInitEx), CeRapiInitExFunction>);
static_assert(std::is_same_v<decltype(&CeRapiInit), CeRapiInitFunction>);
static_assert(std::is_same_v<decltype(&CeRapiUninit), CeRapiUninitFunction>);
static_assert(std::is_same_v<decltype(&CeRapiInvoke), CeRapiInvokeFunction>);
static_assert(std::is_same_v<decltype(&CeGetLastError), CeGetLastErrorFunction>);
static_assert(std::is_same_v<decltype(&CeCreateFile), CeCreateFileFunction>);
static_assert(std::is_same_v<decltype(&CeWriteFile), CeWriteFileFunction>);
static_assert(std::is_same_v<decltype(&CeCloseHandle), CeCloseHandleFunction>);
static_assert(std::is_same_v<decltype(&CeCreateProcess), CeCreateProcessFunction>);
static_assert(std::is_same_v<decltype(&CeGetSystemInfo), CeGetSystemInfoFunction>);
