#include "tests/arm_device/arm_device.h"

namespace arm_device_test {

std::string CeModuleFile(const std::string& name) { return std::string(BC_CE_ARM_DIR) + "/" + name; }

std::u16string Utf16(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

uint32_t ArmDevice::Call(const std::string& exportName, const std::vector<uint32_t>& arguments) {
  uint32_t address = module.entry;
  if (!exportName.empty()) {
    const auto found = module.exports.find(exportName);
    if (found == module.exports.end()) {
      ADD_FAILURE() << "no export " << exportName;
      return 0;
    }
    address = found->second;
  }
  const CallResult result = machine.Call(address, arguments);
  for (const std::string& problem : result.problems) ADD_FAILURE() << exportName << ": " << problem;
  for (const std::string& problem : core.problems) ADD_FAILURE() << exportName << ": " << problem;
  core.problems.clear();
  return result.r0;
}

}  // namespace arm_device_test
