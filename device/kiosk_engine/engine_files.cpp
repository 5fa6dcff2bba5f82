#include "device/kiosk_engine/engine_files.h"

namespace device::kiosk_engine {

namespace {

// Others may read and replace the files while the engine has them open: the
// tests follow the state file as it changes.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

}  // namespace

EnginePath FileBesideEngine(HINSTANCE instance, const wchar_t* name) {
  wchar_t module[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(instance, module, MAX_PATH);
  DWORD folderEnd = length;
  while (folderEnd > 0 && module[folderEnd - 1] != L'\\') --folderEnd;
  EnginePath path;
  path.Append(module, folderEnd).Append(name);
  return folderEnd > 0 && path.Whole() ? path : EnginePath();
}

FileContent::FileContent(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  bytes_ = static_cast<char*>(LocalAlloc(LMEM_FIXED, kFileReadLimit));
  DWORD read = 0;
  while (bytes_ != nullptr && size_ < kFileReadLimit &&
         ReadFile(file, bytes_ + size_, static_cast<DWORD>(kFileReadLimit - size_), &read, nullptr) && read > 0) {
    size_ += read;
  }
  CloseHandle(file);
}

FileContent::~FileContent() {
  if (bytes_ != nullptr) LocalFree(bytes_);
}

bool WriteWholeFile(const wchar_t* path, const char* bytes, std::size_t size) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole = WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
  CloseHandle(file);
  return whole;
}

}  // namespace device::kiosk_engine
