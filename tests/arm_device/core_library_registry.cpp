// Our coredll's registry: the values a test seeds under HKEY_LOCAL_MACHINE,
// read with the documented buffer rules of RegQueryValueExW: a null data
// pointer asks for the size, a short buffer gets ERROR_MORE_DATA and the
// size, a missing key or value ERROR_FILE_NOT_FOUND.
#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint32_t kLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE
constexpr uint32_t kRegSz = 1, kRegDword = 4;
constexpr uint32_t kErrorFileNotFound = 2, kErrorInvalidHandle = 6, kErrorInvalidParameter = 87,
                   kErrorMoreData = 234;

}  // namespace

void CoreLibrary::PutRegistryString(const std::u16string& key, const std::u16string& name,
                                    const std::u16string& value) {
  std::vector<uint8_t> bytes;
  for (char16_t unit : value + u'\0') {
    bytes.push_back(static_cast<uint8_t>(unit));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  registry_[Lower(key)][Lower(name)] = {kRegSz, bytes};
}

void CoreLibrary::PutRegistryNumber(const std::u16string& key, const std::u16string& name, uint32_t value) {
  registry_[Lower(key)][Lower(name)] = {
      kRegDword,
      {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
       static_cast<uint8_t>(value >> 24)}};
}

uint32_t CoreLibrary::RegOpenKeyExW() {
  const uint32_t parent = machine_.Argument(0), subKey = machine_.Argument(1), result = machine_.Argument(4);
  const auto open = openKeys_.find(parent);
  if ((parent != kLocalMachine && open == openKeys_.end()) || result == 0 || machine_.Argument(2) != 0) {
    Problem("RegOpenKeyExW of no open key, without a place for the key, or with options (CE reserves them)");
    return kErrorInvalidParameter;
  }
  const std::u16string base = parent == kLocalMachine ? u"" : open->second;
  const std::u16string sub = subKey ? Lower(machine_.ReadWide(subKey)) : u"";
  const std::u16string path = base.empty() || sub.empty() ? base + sub : base + u"\\" + sub;
  bool exists = path.empty();
  for (const auto& [key, values] : registry_) exists |= key == path || key.rfind(path + u"\\", 0) == 0;
  if (!exists) return kErrorFileNotFound;
  const uint32_t handle = NewHandle();
  openKeys_[handle] = path;
  machine_.WriteU32(result, handle);
  return 0;
}

uint32_t CoreLibrary::RegQueryValueExW() {
  const uint32_t key = machine_.Argument(0), name = machine_.Argument(1), type = machine_.Argument(3);
  const uint32_t data = machine_.Argument(4), size = machine_.Argument(5);
  const auto open = openKeys_.find(key);
  if (open == openKeys_.end() || machine_.Argument(2) != 0) {
    Problem("RegQueryValueExW of no open key, or with its reserved argument set");
    return kErrorInvalidHandle;
  }
  // The size's pointer may be null only when the data's is.
  if (data != 0 && size == 0) return kErrorInvalidParameter;
  const auto& values = registry_[open->second];
  const auto value = values.find(name ? Lower(machine_.ReadWide(name)) : u"");
  if (value == values.end()) return kErrorFileNotFound;
  if (type != 0) machine_.WriteU32(type, value->second.type);
  const auto needed = static_cast<uint32_t>(value->second.bytes.size());
  if (size == 0) return 0;
  const uint32_t room = machine_.ReadU32(size);
  machine_.WriteU32(size, needed);
  if (data == 0) return 0;
  if (room < needed) return kErrorMoreData;
  machine_.Write(data, value->second.bytes.data(), needed);
  return 0;
}

uint32_t CoreLibrary::RegCloseKey() {
  const uint32_t key = machine_.Argument(0);
  if (key == kLocalMachine || openKeys_.erase(key) == 1) return 0;
  Problem("RegCloseKey of no open key");
  return kErrorInvalidHandle;
}

}  // namespace arm_device_test
