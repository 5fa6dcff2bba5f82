#include "standins/ce_installer/registry.h"

#include <utility>

#include "standins/ce_installer/device_files.h"
#include "standins/ce_installer/device_folders.h"
#include "support/text.h"

namespace standins::ce_installer {

using support::Widen;
namespace {

void AppendText(std::vector<BYTE>& data, const std::string& text) {
  std::wstring wide = Widen(text);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(wide.c_str());
  data.insert(data.end(), bytes, bytes + (wide.size() + 1) * sizeof(wchar_t));
}

}  // namespace

StoredValue StoredFormOf(const PlannedValue& value) {
  StoredValue stored;
  switch (value.type) {
    case ValueType::String:
      stored.type = REG_SZ;
      AppendText(stored.data, value.texts.empty() ? std::string() : value.texts.front());
      break;
    case ValueType::MultiString:
      stored.type = REG_MULTI_SZ;
      for (const std::string& text : value.texts) AppendText(stored.data, text);
      AppendText(stored.data, "");
      break;
    case ValueType::Dword:
      stored.type = REG_DWORD;
      for (int shift = 0; shift < 32; shift += 8) stored.data.push_back(static_cast<BYTE>(value.dword >> shift));
      break;
    case ValueType::Binary:
      stored.type = REG_BINARY;
      stored.data.assign(value.bytes.begin(), value.bytes.end());
      break;
  }
  return stored;
}

HKEY RootKey(const std::string& root) {
  if (EqualsIgnoringCase(root, "HKCR")) return HKEY_CLASSES_ROOT;
  if (EqualsIgnoringCase(root, "HKCU")) return HKEY_CURRENT_USER;
  if (EqualsIgnoringCase(root, "HKLM")) return HKEY_LOCAL_MACHINE;
  if (EqualsIgnoringCase(root, "HKU")) return HKEY_USERS;
  return nullptr;
}

RegistryKey RegistryKey::Open(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return RegistryKey();
  return RegistryKey(key);
}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = std::exchange(other.key_, nullptr);
  }
  return *this;
}

RegistryKey::~RegistryKey() {
  if (key_ != nullptr) RegCloseKey(key_);
}

std::optional<StoredValue> RegistryKey::Read(const std::wstring& name) const {
  StoredValue value;
  DWORD size = 0;
  if (RegQueryValueExW(key_, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  value.data.resize(size);
  if (RegQueryValueExW(key_, name.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(size);
  return value;
}

bool RegistryKey::Write(const std::wstring& name, const StoredValue& value) const {
  return RegSetValueExW(key_, name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size())) ==
         ERROR_SUCCESS;
}

bool RegistryKey::Delete(const std::wstring& name) const {
  LONG result = RegDeleteValueW(key_, name.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace standins::ce_installer
