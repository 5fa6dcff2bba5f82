#pragma once
// Thin typed access to the device's registry (this prefix's registry).
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "standins/ce_installer/install_plan.h"

namespace standins::ce_installer {

struct StoredValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  bool operator==(const StoredValue&) const = default;
};

// As RegSetValueEx takes it: strings in UTF-16 with their terminators.
StoredValue StoredFormOf(const PlannedValue& value);

// "HKLM" as the predefined key; nullptr for an unknown root.
HKEY RootKey(const std::string& root);

class RegistryKey {
 public:
  // An existing key, or an empty object when it cannot be opened.
  static RegistryKey Open(HKEY root, const std::wstring& path);
  RegistryKey() = default;
  RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  ~RegistryKey();
  explicit operator bool() const { return key_ != nullptr; }

  std::optional<StoredValue> Read(const std::wstring& name) const;
  bool Write(const std::wstring& name, const StoredValue& value) const;
  bool Delete(const std::wstring& name) const;

 private:
  explicit RegistryKey(HKEY key) : key_(key) {}
  HKEY key_ = nullptr;
};

}  // namespace standins::ce_installer
