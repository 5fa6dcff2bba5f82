// bcmgr.dll: the device manager library that the builder calls remotely.
#include "device/bcmgr/bcmgr.h"

#include <type_traits>

#include "device/bcmgr/code_file.h"
#include "device/ce_platform.h"
#include "device/engine_contract/engine_contract.h"

namespace {

constexpr int kCodeBufferSize = 100;
constexpr DWORD kExitSignalPauseMs = 10;

// Turns the received UTF-16 units into 8-bit text. Reads only the whole units
// inside cbInput (an odd last byte is ignored) and leaves the terminator in
// place. False when the units cannot be converted: such a code matches nothing.
bool DecodeCode(DWORD cbInput, const BYTE* input, char (&code)[kCodeBufferSize]) {
  ZeroMemory(code, sizeof code);
  const DWORD units = input == nullptr ? 0 : cbInput / 2;
  if (units == 0) return true;
  const int convertible = units < kCodeBufferSize - 1 ? static_cast<int>(units) : kCodeBufferSize - 1;
  const int written = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(input), convertible, code,
                                          kCodeBufferSize - 1, nullptr, nullptr);
  return written > 0;
}

// The input is ours to free, as the Remote API hands it over.
void ReleaseInput(BYTE* input) {
  if (input != nullptr) LocalFree(input);
}

}  // namespace

// Exported by their plain names (bcmgr.def), as the service looks them up.
extern "C" HRESULT STDAPICALLTYPE CheckLogin(DWORD cbInput, BYTE* pInput, DWORD* pcbOutput, BYTE** ppOutput,
                                             IRAPIStream*) {
  char code[kCodeBufferSize];
  const bool decoded = DecodeCode(cbInput, pInput, code);
  ReleaseInput(pInput);
  if (pcbOutput == nullptr || ppOutput == nullptr) return 0;
  BYTE* verdict = static_cast<BYTE*>(LocalAlloc(LPTR, kVerdictSize));
  *ppOutput = verdict;
  *pcbOutput = 0;
  if (verdict != nullptr) {
    verdict[0] = decoded ? static_cast<BYTE>(device::bcmgr::MatchCodeFile(code)) : 0;
    *pcbOutput = kVerdictSize;
  }
  return 0;
}

extern "C" HRESULT STDAPICALLTYPE ExitKioskMode(DWORD, BYTE* pInput, DWORD*, BYTE**, IRAPIStream*) {
  ReleaseInput(pInput);
  // Opens the engine's event when it holds one; otherwise the event made here
  // vanishes with this handle and nobody hears the signal.
  HANDLE exitEvent = CreateEventW(nullptr, TRUE, FALSE, device::engine_contract::kExitEventName.wide);
  if (exitEvent != nullptr) {
    device::SignalEvent(exitEvent);
    Sleep(kExitSignalPauseMs);
    CloseHandle(exitEvent);
  }
  return 0;
}

static_assert(std::is_same_v<decltype(&CheckLogin), RapiBlockFunction>);
static_assert(std::is_same_v<decltype(&ExitKioskMode), RapiBlockFunction>);

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
