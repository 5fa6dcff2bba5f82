#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ce_setup_file.h"

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

// The roots and value flags are the setup file's own.
using platform::ce_setup_file::kRegNoClobber;
using platform::ce_setup_file::kRegTypeBinary;
using platform::ce_setup_file::kRegTypeDword;
using platform::ce_setup_file::kRegTypeMask;
using platform::ce_setup_file::kRegTypeMultiString;
using platform::ce_setup_file::kRegTypeString;
using platform::ce_setup_file::RegistryRoot;

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
