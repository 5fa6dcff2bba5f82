#include "install_tool/device_link.h"

#include <cstdio>
#include <vector>

#include "standins/rapi/rapi.h"

namespace install_tool {

namespace {

template <class Function>
Function Bind(HMODULE library, const char* name) {
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

DeviceLink::DeviceLink() : library_(LoadLibraryA("rapi.dll")) {}

DeviceLink::~DeviceLink() {
  if (connected_) {
    if (auto uninit = Bind<CeRapiUninitFunction>(library_, "CeRapiUninit")) uninit();
  }
  if (library_) FreeLibrary(library_);
}

bool DeviceLink::Connect(DWORD timeoutMs) {
  auto initEx = Bind<CeRapiInitExFunction>(library_, "CeRapiInitEx");
  if (!initEx) return false;
  RAPIINIT init{};
  init.cbSize = sizeof init;
  if (FAILED(initEx(&init))) return false;
  connected_ = true;  // a pending set-up is ended by CeRapiUninit too
  return WaitForSingleObject(init.heRapiInit, timeoutMs) == WAIT_OBJECT_0 && SUCCEEDED(init.hrRapiInit);
}

bool DeviceLink::SendFile(const std::string& localPath, const std::wstring& devicePath) {
  auto createFile = Bind<CeCreateFileFunction>(library_, "CeCreateFile");
  auto writeFile = Bind<CeWriteFileFunction>(library_, "CeWriteFile");
  auto closeHandle = Bind<CeCloseHandleFunction>(library_, "CeCloseHandle");
  if (!createFile || !writeFile || !closeHandle) return false;
  FILE* source = std::fopen(localPath.c_str(), "rb");
  if (!source) return false;
  HANDLE target = createFile(devicePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
  bool sent = target != INVALID_HANDLE_VALUE;
  std::vector<char> chunk(64 * 1024);
  while (sent) {
    const size_t read = std::fread(chunk.data(), 1, chunk.size(), source);
    if (read == 0) break;
    DWORD written = 0;
    sent = writeFile(target, chunk.data(), static_cast<DWORD>(read), &written, nullptr) && written == read;
  }
  sent = sent && !std::ferror(source);
  std::fclose(source);
  if (target != INVALID_HANDLE_VALUE) sent = closeHandle(target) && sent;
  return sent;
}

bool DeviceLink::Start(const std::wstring& program, const std::wstring& commandLine) {
  auto createProcess = Bind<CeCreateProcessFunction>(library_, "CeCreateProcess");
  if (!createProcess) return false;
  PROCESS_INFORMATION process{};
  std::wstring arguments = commandLine;
  if (!createProcess(program.c_str(), arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                     &process)) {
    return false;
  }
  auto closeHandle = Bind<CeCloseHandleFunction>(library_, "CeCloseHandle");
  if (closeHandle) {
    if (process.hProcess) closeHandle(process.hProcess);
    if (process.hThread) closeHandle(process.hThread);
  }
  return true;
}

}  // namespace install_tool
