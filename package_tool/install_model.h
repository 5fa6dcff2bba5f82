#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace package_tool {

// What one installation cabinet installs, as the device's installer sees it.
// Folders are device paths that may start with a device folder macro
// ("%CE1%\Brindlecove").

struct DeviceRequirements {
  uint32_t processor_type = 0;  // 0: any processor
  uint32_t version_min_major = 0, version_min_minor = 0;
  uint32_t version_max_major = 0, version_max_minor = 0;
  uint32_t build_min = 0, build_max = 0;
  std::vector<std::string> unsupported_platforms;
};

struct InstalledFile {
  std::string source_path;  // relative to the setup information file's folder
  std::string directory;
  std::string name;
  uint32_t flags = 0;
};

enum class RegistryRoot : uint16_t { ClassesRoot = 1, CurrentUser = 2, LocalMachine = 3, Users = 4 };

// Registry type flags as the setup information file and the installer use them.
inline constexpr uint32_t kRegTypeMask = 0x00010001;
inline constexpr uint32_t kRegTypeString = 0x00000000;
inline constexpr uint32_t kRegTypeMultiString = 0x00010000;
inline constexpr uint32_t kRegTypeBinary = 0x00000001;
inline constexpr uint32_t kRegTypeDword = 0x00010001;
inline constexpr uint32_t kRegNoClobber = 0x00000002;

struct RegistryValue {
  RegistryRoot root = RegistryRoot::LocalMachine;
  std::string key_path;
  std::string name;
  uint32_t flags = kRegTypeString;
  std::vector<uint8_t> data;      // strings with their zero bytes, a DWORD little-endian
  bool expand_on_device = false;  // the data names a device folder macro
};

struct Shortcut {
  std::string directory;
  std::string name;
  bool targets_file = true;
  std::string target;  // an installed file's name, or a folder
};

struct InstallModel {
  std::string app_name;
  std::string provider;
  std::string install_dir;
  DeviceRequirements device;
  std::vector<InstalledFile> files;
  std::vector<RegistryValue> registry;
  std::vector<Shortcut> shortcuts;
  std::string setup_dll_source;  // empty: no setup DLL
};

}  // namespace package_tool
