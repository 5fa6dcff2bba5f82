#pragma once
// The engine's files, through the calls that a device's core library and a
// desktop's kernel32 both have (the device's C library has no _wfopen).
#include <windows.h>

#include <cstddef>

#include "device/kiosk_engine/core/fixed_text.h"

namespace device::kiosk_engine {

using EnginePath = FixedText<wchar_t, MAX_PATH>;

// A file in the engine's own folder; empty when its path does not fit.
EnginePath FileBesideEngine(HINSTANCE instance, const wchar_t* name);

// Far more than a builder's list of applications takes; a longer file is cut.
inline constexpr std::size_t kFileReadLimit = 64 * 1024;

// A file's content in a LocalAlloc block; empty when the file cannot be read.
class FileContent {
 public:
  explicit FileContent(const wchar_t* path);
  ~FileContent();
  FileContent(const FileContent&) = delete;
  FileContent& operator=(const FileContent&) = delete;

  const char* Bytes() const { return bytes_; }
  std::size_t Size() const { return size_; }

 private:
  char* bytes_ = nullptr;
  std::size_t size_ = 0;
};

// Replaces the file with these bytes; false when it cannot.
bool WriteWholeFile(const wchar_t* path, const char* bytes, std::size_t size);

}  // namespace device::kiosk_engine
