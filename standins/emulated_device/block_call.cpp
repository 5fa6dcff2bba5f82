#include "standins/emulated_device/block_call.h"

#include "standins/emulated_device/heap_blocks.h"

namespace standins::emulated_device {

namespace {

// Exit code of a call thread that an exception ended.
constexpr DWORD kCallFaulted = 0xE0BC0001;

struct PendingCall {
  RapiBlockFunction entry;
  DWORD inputSize;
  BYTE* input;
  DWORD outputSize = 0;
  BYTE* output = nullptr;
  HRESULT status = S_OK;
  DWORD lastError = 0;
};

// Marks the threads that run called functions; any other thread's exception
// is left to the system.
DWORD CallThreadSlot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

// An exception that the called function does not handle ends only the thread
// that runs it; the service goes on.
LONG WINAPI EndFaultingCall(EXCEPTION_POINTERS*) {
  if (TlsGetValue(CallThreadSlot()) != nullptr) ExitThread(kCallFaulted);
  return EXCEPTION_CONTINUE_SEARCH;
}

DWORD WINAPI RunCall(void* parameter) {
  auto& call = *static_cast<PendingCall*>(parameter);
  TlsSetValue(CallThreadSlot(), &call);
  SetLastError(0);
  call.status = call.entry(call.inputSize, call.input, &call.outputSize, &call.output, nullptr);
  call.lastError = GetLastError();
  return 0;
}

BlockCallResult Failure(DWORD error) { return {HRESULT_FROM_WIN32(error), error, {}, false}; }

// The output must fit a response frame with the status and the blob's size.
constexpr DWORD kMaxOutput = rapi_wire::kMaxFrameSize - 12;

}  // namespace

BlockCallResult CallBlockFunction(RapiBlockFunction entry, const rapi_wire::Bytes& input) {
  static const bool filterSet = (SetUnhandledExceptionFilter(EndFaultingCall), true);
  (void)filterSet;
  PendingCall call{entry, static_cast<DWORD>(input.size()), nullptr};
  if (!input.empty()) {
    call.input = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, input.size()));
    if (call.input == nullptr) return Failure(ERROR_NOT_ENOUGH_MEMORY);
    CopyMemory(call.input, input.data(), input.size());
  }
  HANDLE thread = CreateThread(nullptr, 0, RunCall, &call, 0, nullptr);
  if (thread == nullptr) {
    LocalFree(call.input);
    return Failure(ERROR_NOT_ENOUGH_MEMORY);
  }
  WaitForSingleObject(thread, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeThread(thread, &exitCode);
  CloseHandle(thread);
  // What the function left behind is unknown after an exception: not touched.
  if (exitCode == kCallFaulted) return Failure(ERROR_EXCEPTION_IN_SERVICE);
  BlockCallResult result{call.status, call.status < 0 ? call.lastError : 0, {}, false};
  // An output at the input's place is a new block in the freed one's place.
  result.inputKept = call.input != nullptr && call.output != call.input && LocalBlockInUse(call.input);
  if (call.output != nullptr) {
    if (call.outputSize > kMaxOutput) {
      result.status = HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY);
      result.lastError = ERROR_NOT_ENOUGH_MEMORY;
    } else {
      result.output.assign(call.output, call.output + call.outputSize);
    }
    LocalFree(call.output);
  }
  return result;
}

}  // namespace standins::emulated_device
