#pragma once
// The device reset that the setup hook asks for with "r", so that the
// package's start-up shortcut brings kiosk mode back.

namespace device::kiosk_engine {

// True when the platform took the request: the power manager's forced reset,
// else the HAL's. The device may go down before or after this returns.
bool ResetDevice();

}  // namespace device::kiosk_engine
