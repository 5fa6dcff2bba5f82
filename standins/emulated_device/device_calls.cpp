#include "standins/emulated_device/device_calls.h"

#include <cstdio>

#include "standins/emulated_device/block_call.h"
#include "support/files.h"
#include "support/library.h"
#include "support/text.h"

namespace standins::emulated_device {

using rapi_wire::Operation;
using rapi_wire::Reader;
using rapi_wire::Response;
using rapi_wire::Writer;

namespace {

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

Response Failure(DWORD error) { return {HRESULT_FROM_WIN32(error), error, {}}; }

Response LastErrorFailure() {
  const DWORD error = GetLastError();
  return Failure(error ? error : ERROR_GEN_FAILURE);
}

// A bare name is the device's way to name a library or program in \Windows;
// the extension is implied when the name has none.
std::wstring WindowsFilePath(const std::wstring& name, const wchar_t* extension) {
  std::wstring path = name.find(L'\\') == std::wstring::npos ? WindowsFolder() + L"\\" + name : name;
  const size_t nameStart = path.find_last_of(L'\\') + 1;
  if (path.find(L'.', nameStart) == std::wstring::npos) path += extension;
  return path;
}

std::string Hex(int32_t status) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(status));
  return text;
}

}  // namespace

bool DeviceCalls::PolicyDenies() const {
  return settings_.denyAll || support::PathExists(WindowsFolder() + L"\\" + kDenyAllMarker);
}

std::optional<Response> DeviceCalls::Handle(const rapi_wire::Bytes& request) {
  if (support::PathExists(WindowsFolder() + L"\\" + kUnpluggedMarker)) return std::nullopt;
  Reader fields(request);
  const auto operation = static_cast<Operation>(fields.U32());
  if (!fields.Ok()) return Failure(ERROR_INVALID_DATA);
  if (operation == Operation::Hello) {
    const uint32_t initSize = fields.U32();
    if (!fields.Ok()) return Failure(ERROR_INVALID_DATA);
    Log("Hello RAPIINIT.cbSize " + std::to_string(initSize));
    return Response{};
  }
  if (operation == Operation::Note) {
    const std::string line = support::Narrow(Wide(fields.Text()));
    if (!fields.Ok()) return Failure(ERROR_INVALID_DATA);
    Log(line);
    return Response{};
  }
  if (PolicyDenies()) {
    Log("denied by policy -> " + Hex(E_ACCESSDENIED));
    return Failure(ERROR_ACCESS_DENIED);
  }
  switch (operation) {
    case Operation::Invoke:
      return Invoke(fields);
    case Operation::CreateFile:
      return OpenFile(fields);
    case Operation::WriteFile:
      return WriteToFile(fields);
    case Operation::CloseHandle:
      return CloseDeviceHandle(fields);
    case Operation::CreateProcess:
      return StartProcess(fields);
    case Operation::GetSystemInfo:
      return SystemInfo();
    default:
      return Failure(ERROR_INVALID_FUNCTION);
  }
}

Response DeviceCalls::Invoke(Reader& fields) {
  const std::wstring library = Wide(fields.Text());
  const std::string function = support::Narrow(Wide(fields.Text()));
  const rapi_wire::Bytes input = fields.Blob();
  if (!fields.Ok()) return Failure(ERROR_INVALID_DATA);
  Response answer;
  bool inputKept = false;
  const support::Library module(WindowsFilePath(library, L".dll"), LOAD_WITH_ALTERED_SEARCH_PATH);
  const auto entry = module.Bind<RapiBlockFunction>(function.c_str());
  if (!module.Loaded()) {
    answer = Failure(ERROR_MOD_NOT_FOUND);
  } else if (!entry) {
    answer = Failure(ERROR_CALL_NOT_IMPLEMENTED);
  } else {
    BlockCallResult call = CallBlockFunction(entry, input);
    answer = {call.status, call.lastError, Writer().Blob(call.output).Data()};
    inputKept = call.inputKept;
  }
  const std::string call = support::Narrow(library) + " " + function;
  Log("Invoke " + call + " " + std::to_string(input.size()) + " -> " + Hex(answer.status));
  if (inputKept) Log("Leak: " + call + " did not free its " + std::to_string(input.size()) + "-byte input");
  return answer;
}

Response DeviceCalls::OpenFile(Reader& fields) {
  const std::wstring path = Wide(fields.Text());
  const DWORD access = fields.U32(), share = fields.U32(), creation = fields.U32(), flags = fields.U32();
  if (!fields.Ok()) return Failure(ERROR_INVALID_DATA);
  HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, creation, flags, nullptr);
  Log("CreateFile " + support::Narrow(path) + (file == INVALID_HANDLE_VALUE ? " failed" : ""));
  if (file == INVALID_HANDLE_VALUE) return LastErrorFailure();
  return {S_OK, 0, Writer().U64(Keep(file)).Data()};
}

Response DeviceCalls::WriteToFile(Reader& fields) {
  const uint64_t handle = fields.U64();
  const rapi_wire::Bytes data = fields.Blob();
  if (!fields.Ok()) return Failure(ERROR_INVALID_DATA);
  HANDLE file = Known(handle);
  if (!file) return Failure(ERROR_INVALID_HANDLE);
  DWORD written = 0;
  if (!::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr)) return LastErrorFailure();
  return {S_OK, 0, Writer().U32(written).Data()};
}

Response DeviceCalls::CloseDeviceHandle(Reader& fields) {
  const uint64_t handle = fields.U64();
  if (!fields.Ok()) return Failure(ERROR_INVALID_DATA);
  return Forget(handle) ? Response{} : Failure(ERROR_INVALID_HANDLE);
}

Response DeviceCalls::StartProcess(Reader& fields) {
  const std::wstring application = WindowsFilePath(Wide(fields.Text()), L".exe");
  const std::wstring arguments = Wide(fields.Text());
  const DWORD flags = fields.U32();
  if (!fields.Ok()) return Failure(ERROR_INVALID_DATA);
  // The device passes only the arguments; a desktop process expects its own
  // name in front of them.
  std::wstring commandLine = L"\"" + application + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  const BOOL ok = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                                 nullptr, &startup, &started);
  Log("CreateProcess " + support::Narrow(application) + (ok ? "" : " failed"));
  if (!ok) return LastErrorFailure();
  Writer result;
  result.U64(Keep(started.hProcess)).U64(Keep(started.hThread)).U32(started.dwProcessId).U32(started.dwThreadId);
  return {S_OK, 0, result.Data()};
}

Response DeviceCalls::SystemInfo() {
  const uint32_t processor = DeviceProcessorType();
  Log("GetSystemInfo -> processor " + std::to_string(processor));
  return {S_OK, 0, Writer().Blob(rapi_wire::EncodeSystemInfo(DeviceSystemInfoFor(processor))).Data()};
}

uint64_t DeviceCalls::Keep(HANDLE handle) {
  const auto value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
  std::lock_guard lock(mutex_);
  handles_.insert(value);
  return value;
}

HANDLE DeviceCalls::Known(uint64_t value) {
  std::lock_guard lock(mutex_);
  return handles_.count(value) ? reinterpret_cast<HANDLE>(static_cast<uintptr_t>(value)) : nullptr;
}

bool DeviceCalls::Forget(uint64_t value) {
  std::lock_guard lock(mutex_);
  if (!handles_.erase(value)) return false;
  ::CloseHandle(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(value)));
  return true;
}

void DeviceCalls::Log(const std::string& line) {
  if (settings_.callLog.empty()) return;
  std::lock_guard lock(mutex_);
  if (FILE* log = _wfopen(settings_.callLog.c_str(), L"ab")) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
  }
}

}  // namespace standins::emulated_device
