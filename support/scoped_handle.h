#pragma once
// Owns a kernel handle and closes it once. Creating calls report failure
// either as null or as INVALID_HANDLE_VALUE (CreateFile), so both count as
// "no handle" and neither is ever closed.
#include <windows.h>

namespace support {

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() {
    if (Valid()) CloseHandle(handle_);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace support
