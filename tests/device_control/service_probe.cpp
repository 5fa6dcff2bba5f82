// Block-mode exports that misbehave in the ways the device's Remote API
// service must live through: one keeps its input, two end in an exception
// (as a C++ throw of the device's compiler and as a bad pointer raise it).
#include <windows.h>

#include "device/bcmgr/bcmgr.h"

namespace {

// The exception code of a C++ throw on the device's compiler.
constexpr DWORD kCppException = 0xE06D7363;

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE KeepInput(DWORD, BYTE*, DWORD*, BYTE**, IRAPIStream*) { return S_OK; }

__declspec(dllexport) HRESULT STDAPICALLTYPE Throw(DWORD, BYTE*, DWORD*, BYTE**, IRAPIStream*) {
  RaiseException(kCppException, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  return S_OK;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE WriteThroughNull(DWORD cbInput, BYTE*, DWORD*, BYTE**, IRAPIStream*) {
  *static_cast<volatile DWORD*>(nullptr) = cbInput;
  return S_OK;
}

}  // extern "C"
