#pragma once
// Whether a block of this process's local heap is still allocated: asked of
// the heap itself, so a freed block is never touched.
#include <windows.h>

namespace standins::emulated_device {

// True while block is the start of an allocated block of the process heap,
// where LocalAlloc takes its blocks.
bool LocalBlockInUse(const void* block);

}  // namespace standins::emulated_device
