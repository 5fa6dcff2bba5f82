#pragma once
// The device manager library's remote calls, as the device's Remote API
// service calls them: one LocalAlloc'ed input block in, which the called
// function frees, and one LocalAlloc'ed buffer out, which the service frees.
#include <windows.h>

struct IRAPIStream;  // the Remote API's stream interface; block-mode calls ignore it

// A block-mode Remote API server function.
using RapiBlockFunction = HRESULT(STDAPICALLTYPE*)(DWORD cbInput, BYTE* pInput, DWORD* pcbOutput, BYTE** ppOutput,
                                      IRAPIStream* pStream);

// CheckLogin's output: a 32-bit little-endian verdict whose first byte is 1 or 0.
inline constexpr DWORD kVerdictSize = 4;
