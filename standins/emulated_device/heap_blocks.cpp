#include "standins/emulated_device/heap_blocks.h"

namespace standins::emulated_device {

bool LocalBlockInUse(const void* block) {
  if (block == nullptr) return false;
  HANDLE heap = GetProcessHeap();
  bool inUse = false;
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  while (!inUse && HeapWalk(heap, &entry)) {
    inUse = entry.lpData == block && (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0;
  }
  HeapUnlock(heap);
  return inUse;
}

}  // namespace standins::emulated_device
