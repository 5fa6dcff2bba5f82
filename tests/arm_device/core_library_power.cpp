// The device's resets, recorded and never carried out. Only the forced reset
// is expected of a program: any other power state or HAL call is a problem.
#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint32_t kPowerStateReset = 0x00800000, kPowerForce = 0x00001000;  // pm.h
constexpr uint32_t kHalReboot = 0x0101003C;  // IOCTL_HAL_REBOOT
constexpr uint32_t kAccessDenied = 5;        // ERROR_ACCESS_DENIED

}  // namespace

uint32_t CoreLibrary::SetSystemPowerState() {
  if (!powerStateAnswer) {
    Problem("SetSystemPowerState called on a device without the power manager");
    return kAccessDenied;
  }
  if (machine_.Argument(0) != 0 || machine_.Argument(1) != kPowerStateReset || machine_.Argument(2) != kPowerForce) {
    Problem("SetSystemPowerState other than (NULL, POWER_STATE_RESET, POWER_FORCE)");
  }
  resetCalls.push_back("SetSystemPowerState");
  return *powerStateAnswer;
}

// KernelIoControl(code, in, inSize, out, outSize, returned): the reboot takes no buffers.
uint32_t CoreLibrary::KernelIoControl() {
  if (machine_.Argument(0) != kHalReboot) {
    Problem("KernelIoControl other than IOCTL_HAL_REBOOT");
    return 0;
  }
  resetCalls.push_back("KernelIoControl");
  return halResetGranted ? 1 : 0;
}

}  // namespace arm_device_test
