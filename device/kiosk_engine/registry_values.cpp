#include "device/kiosk_engine/registry_values.h"

#include "device/engine_contract/engine_contract.h"

namespace device::kiosk_engine {

// A missing key leaves every value missing: each setting keeps its default.
RegistryValues::RegistryValues() {
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, engine_contract::kConfigurationRegistryKey.wide, 0, KEY_READ, &key_) !=
      ERROR_SUCCESS)
    key_ = nullptr;
}

RegistryValues::~RegistryValues() {
  if (key_ != nullptr) RegCloseKey(key_);
}

bool RegistryValues::Read(const wchar_t* name, unsigned long& type, unsigned char* data, unsigned long& size) {
  DWORD valueType = 0;
  DWORD valueSize = size;
  if (key_ == nullptr || RegQueryValueExW(key_, name, nullptr, &valueType, data, &valueSize) != ERROR_SUCCESS)
    return false;
  type = valueType;
  size = valueSize;
  return true;
}

}  // namespace device::kiosk_engine
