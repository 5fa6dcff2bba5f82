#include "device/kiosk_engine/device_reset.h"

#include "device/ce_platform.h"

namespace device::kiosk_engine {

namespace {

// pm.h's system state and option.
constexpr DWORD kPowerStateReset = 0x00800000;  // POWER_STATE_RESET
constexpr DWORD kPowerForce = 0x00001000;       // POWER_FORCE
// CTL_CODE(FILE_DEVICE_HAL 0x101, 15, METHOD_BUFFERED, FILE_ANY_ACCESS).
constexpr DWORD kHalReboot = 0x0101003C;  // IOCTL_HAL_REBOOT

using PowerStateCall = DWORD(WINAPI*)(LPCWSTR, DWORD, DWORD);

// SetSystemPowerState answers ERROR_SUCCESS or a Win32 error code.
bool ResetThroughPowerManager() {
  HMODULE coreLibrary = LoadPowerManager();
  if (coreLibrary == nullptr) return false;
  // Through the generic function type: FARPROC stands for any export.
  const auto found = reinterpret_cast<void (*)()>(FindExport(coreLibrary, L"SetSystemPowerState", "SetSystemPowerState"));
  const auto setPowerState = reinterpret_cast<PowerStateCall>(found);
  const bool taken = setPowerState != nullptr && setPowerState(nullptr, kPowerStateReset, kPowerForce) == ERROR_SUCCESS;
  FreeLibrary(coreLibrary);
  return taken;
}

}  // namespace

bool ResetDevice() {
  return ResetThroughPowerManager() || KernelIoControl(kHalReboot, nullptr, 0, nullptr, 0, nullptr) != FALSE;
}

}  // namespace device::kiosk_engine
