#include "standins/emulated_device/device_processor.h"

#include <windows.h>

#include <cstdlib>

#include "support/files.h"

namespace standins::emulated_device {

namespace {

// PROCESSOR_ARCHITECTURE_INTEL and PROCESSOR_ARCHITECTURE_ARM.
constexpr uint16_t kArchitectureIntel = 0;
constexpr uint16_t kArchitectureArm = 5;
// The x86 processor types are 386, 486, 586 and 686; the ARM ones are larger.
constexpr uint32_t kLargestIntelType = 686;

}  // namespace

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return folder;
}

uint32_t DeviceProcessorType() {
  const std::optional<std::string> text = support::ReadWholeFile(WindowsFolder() + L"\\" + kProcessorMarker);
  if (!text || text->empty()) return kEmulatedProcessor;
  char* end = nullptr;
  const unsigned long number = std::strtoul(text->c_str(), &end, 10);
  // Anything but a number (a line end may follow) leaves the device as it is.
  const bool isNumber = end != text->c_str() && (*end == '\0' || *end == '\r' || *end == '\n');
  return isNumber && number <= UINT32_MAX ? static_cast<uint32_t>(number) : kEmulatedProcessor;
}

rapi_wire::DeviceSystemInfo DeviceSystemInfoFor(uint32_t processorType) {
  rapi_wire::DeviceSystemInfo info;
  const bool intel = processorType <= kLargestIntelType;
  info.processorArchitecture = intel ? kArchitectureIntel : kArchitectureArm;
  info.pageSize = 4096;
  // A CE process's 32 MB slot, above its first 64 KB.
  info.minimumApplicationAddress = 0x00010000;
  info.maximumApplicationAddress = 0x01FFFFFF;
  info.activeProcessorMask = 1;
  info.numberOfProcessors = 1;
  info.processorType = processorType;
  info.allocationGranularity = 0x00010000;
  info.processorLevel = static_cast<uint16_t>(intel ? processorType / 100 : 4);
  return info;
}

}  // namespace standins::emulated_device
