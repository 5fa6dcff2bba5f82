#include "tests/device_control/device_remote.h"

#include <fstream>
#include <vector>

namespace device_test {

namespace {

template <class Function>
void Bind(HMODULE library, const char* name, Function& function) {
  function = library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

DeviceRemote::DeviceRemote() : library_(LoadLibraryA("rapi.dll")) {
  Bind(library_, "CeRapiInitEx", initEx);
  Bind(library_, "CeRapiUninit", uninit);
  Bind(library_, "CeRapiInvoke", invoke);
  Bind(library_, "CeGetLastError", lastError);
  Bind(library_, "CeCreateFile", createFile);
  Bind(library_, "CeWriteFile", writeFile);
  Bind(library_, "CeCloseHandle", closeHandle);
  Bind(library_, "CeCreateProcess", createProcess);
}

DeviceRemote::~DeviceRemote() { Disconnect(); }

HRESULT DeviceRemote::Connect(DWORD timeoutMs) {
  init_ = {};
  init_.cbSize = sizeof init_;
  const HRESULT started = initEx(&init_);
  if (FAILED(started)) return started;
  if (WaitForSingleObject(init_.heRapiInit, timeoutMs) != WAIT_OBJECT_0) return HRESULT_FROM_WIN32(WAIT_TIMEOUT);
  return init_.hrRapiInit;
}

void DeviceRemote::Disconnect() {
  if (uninit) uninit();
}

bool DeviceRemote::CopyToDevice(const std::string& desktopPath, const std::wstring& devicePath) {
  std::ifstream source(desktopPath, std::ios::binary);
  if (!source) return false;
  HANDLE file =
      createFile(devicePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  std::vector<char> block(64 * 1024);
  while (ok && source) {
    source.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto count = static_cast<DWORD>(source.gcount());
    DWORD written = 0;
    ok = count == 0 || (writeFile(file, block.data(), count, &written, nullptr) && written == count);
  }
  return closeHandle(file) && ok;
}

bool DeviceRemote::StartOnDevice(const std::wstring& devicePath, const std::wstring& arguments) {
  PROCESS_INFORMATION started{};
  if (!createProcess(devicePath.c_str(), arguments.c_str(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                     &started)) {
    return false;
  }
  closeHandle(started.hThread);
  closeHandle(started.hProcess);
  return true;
}

}  // namespace device_test
