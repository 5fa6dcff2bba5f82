#pragma once
// The desktop's Remote API for Windows CE, declared as its SDK header does:
// the calls that rapi.dll exports, as callers bind them at run time.
#include <windows.h>

#include "platform/rapi_errors.h"

struct IRAPIStream;

// Asynchronous set-up: cbSize is the record's size; heRapiInit is signalled
// once set-up has finished and hrRapiInit then holds its result. The event
// belongs to the Remote API and stays valid until CeRapiUninit; until then
// the set-up may still write into the record.
struct RAPIINIT {
  DWORD cbSize;
  HANDLE heRapiInit;
  HRESULT hrRapiInit;
};

extern "C" {
using CeRapiInitExFunction = HRESULT(WINAPI*)(RAPIINIT* init);
using CeRapiInitFunction = HRESULT(WINAPI*)();
using CeRapiUninitFunction = HRESULT(WINAPI*)();
// Block mode when ppStream is null. The input is a LocalAlloc block that the
// Remote API frees once it is sent; the output buffer is LocalAlloc'ed in the
// caller's process and belongs to the caller, who frees it with LocalFree.
using CeRapiInvokeFunction = HRESULT(WINAPI*)(LPCWSTR dllPath, LPCWSTR functionName, DWORD cbInput, BYTE* pInput,
                                              DWORD* pcbOutput, BYTE** ppOutput, IRAPIStream** ppStream,
                                              DWORD reserved);
using CeGetLastErrorFunction = DWORD(WINAPI*)();
// Files and processes on the device, named by device paths ("\Windows\x.cab").
using CeCreateFileFunction = HANDLE(WINAPI*)(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                                             LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                                             DWORD flagsAndAttributes, HANDLE templateFile);
using CeWriteFileFunction = BOOL(WINAPI*)(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                                          LPOVERLAPPED overlapped);
using CeCloseHandleFunction = BOOL(WINAPI*)(HANDLE object);
using CeCreateProcessFunction = BOOL(WINAPI*)(LPCWSTR applicationName, LPCWSTR commandLine,
                                              LPSECURITY_ATTRIBUTES processSecurity,
                                              LPSECURITY_ATTRIBUTES threadSecurity, BOOL inheritHandles,
                                              DWORD creationFlags, LPVOID environment, LPWSTR currentDirectory,
                                              LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInformation);
// The device's SYSTEM_INFO in the caller's layout; dwProcessorType names the
// device's processor (PROCESSOR_STRONGARM 2577 on ARM Pocket PCs).
using CeGetSystemInfoFunction = void(WINAPI*)(LPSYSTEM_INFO systemInfo);
}

// CeRapiInitEx or CeRapiInit again before CeRapiUninit ended the last set-up.
inline constexpr HRESULT CERAPI_E_ALREADYINITIALIZED = static_cast<HRESULT>(0x80041001);
