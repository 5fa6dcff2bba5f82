#pragma once
// Starting the applications that the kiosk offers.
#include <windows.h>

#include "device/kiosk_engine/core/launch_plan.h"

namespace device::kiosk_engine {

// Starts the program with its parameters as its command line; its process
// handle, or null when it could not be started. Nothing waits for it.
HANDLE StartApplication(const Launch& launch);

}  // namespace device::kiosk_engine
