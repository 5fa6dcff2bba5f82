#pragma once
// One call of a block-mode export, as the device's Remote API service makes
// it: the input in a LocalAlloc block that the called function owns and must
// free, the output taken over from it, and an exception in the function kept
// from ending the service.
#include <windows.h>

#include "device/bcmgr/bcmgr.h"
#include "standins/rapi_wire/wire_format.h"

namespace standins::emulated_device {

struct BlockCallResult {
  HRESULT status = S_OK;
  DWORD lastError = 0;
  rapi_wire::Bytes output;
  bool inputKept = false;  // the function did not free its input: a leak on a device
};

BlockCallResult CallBlockFunction(RapiBlockFunction entry, const rapi_wire::Bytes& input);

}  // namespace standins::emulated_device
