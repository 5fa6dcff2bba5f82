#pragma once
// Starting the applications that the kiosk offers.
#include <windows.h>

#include "device/kiosk_engine/core/launch_plan.h"

namespace device::kiosk_engine {

struct StartedApplication {
  HANDLE process = nullptr;  // null: it could not be started
  DWORD processId = 0;
};

// Starts the program with its parameters as its command line. Nothing waits
// for it; the caller closes the handle.
StartedApplication StartApplication(const Launch& launch);

}  // namespace device::kiosk_engine
