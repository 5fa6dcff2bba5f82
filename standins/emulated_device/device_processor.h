#pragma once
// The emulated device's processor: what it answers to CeGetSystemInfo and
// what its installer checks a cabinet's processor against, from one place.
#include <cstdint>
#include <string>

#include "standins/rapi_wire/wire_format.h"

namespace standins::emulated_device {

// The device's Windows folder, where its marker files lie.
std::wstring WindowsFolder();

// What Microsoft's x86 device emulators report as dwProcessorType.
inline constexpr uint32_t kEmulatedProcessor = 686;
// A file \Windows\processor-type holding a decimal number makes the device
// report that processor instead (tests play an ARM device with 2577).
inline constexpr wchar_t kProcessorMarker[] = L"processor-type";

uint32_t DeviceProcessorType();

// The device's SYSTEM_INFO for that processor, as a CE device fills it.
rapi_wire::DeviceSystemInfo DeviceSystemInfoFor(uint32_t processorType);

}  // namespace standins::emulated_device
