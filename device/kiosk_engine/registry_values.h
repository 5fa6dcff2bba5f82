#pragma once
// The configuration values as the package installer stored them, under
// HKLM\Software\Brindlecove.
#include <windows.h>

#include "device/kiosk_engine/core/engine_settings.h"

namespace device::kiosk_engine {

class RegistryValues final : public SettingValues {
 public:
  RegistryValues();
  ~RegistryValues();
  RegistryValues(const RegistryValues&) = delete;
  RegistryValues& operator=(const RegistryValues&) = delete;

  bool Read(const wchar_t* name, unsigned long& type, unsigned char* data, unsigned long& size) override;

 private:
  HKEY key_ = nullptr;
};

}  // namespace device::kiosk_engine
