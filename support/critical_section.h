#pragma once
// A critical section that meets the standard's Lockable requirements, so that
// std::lock_guard takes it: the Win32 thread model of the toolchain, which
// keeps the programs free of winpthreads, has no std::mutex.
#include <windows.h>

namespace support {

class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&section_); }
  ~CriticalSection() { DeleteCriticalSection(&section_); }
  void lock() { EnterCriticalSection(&section_); }
  void unlock() { LeaveCriticalSection(&section_); }

  // A critical section must not move: waiting threads hold its address.
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

 private:
  CRITICAL_SECTION section_;
};

}  // namespace support
