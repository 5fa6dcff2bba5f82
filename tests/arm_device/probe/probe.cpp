// probe.dll: what a device module does with its sections, for the tests of
// the emulated device's page protection: it writes a global (.data) and
// jumps into a constant (.rdata), which a device stops.
#include <windows.h>

namespace {

LONG calls;  // zero at load: .bss, which the linker script folds into .data

}  // namespace

// BX LR, as data; exported so that a test knows its address.
extern "C" const DWORD ReturnInConstant[] = {0xE12FFF1E};

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// The number of calls so far, this one included.
extern "C" LONG CountCall() { return ++calls; }

extern "C" void JumpIntoConstant() { reinterpret_cast<void (*)()>(const_cast<DWORD*>(ReturnInConstant))(); }
