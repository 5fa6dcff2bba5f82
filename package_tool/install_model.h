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
  uint32_t processorType = 0;  // 0: any processor
  uint32_t versionMinMajor = 0, versionMinMinor = 0;
  uint32_t versionMaxMajor = 0, versionMaxMinor = 0;
  uint32_t buildMin = 0, buildMax = 0;
  std::vector<std::string> unsupportedPlatforms;
};

struct InstalledFile {
  std::string sourcePath;  // relative to the setup information file's folder
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
  std::string keyPath;
  std::string name;
  uint32_t flags = kRegTypeString;
  std::vector<uint8_t> data;      // strings with their zero bytes, a DWORD little-endian
  bool expandOnDevice = false;  // the data names a device folder macro
};

struct Shortcut {
  std::string directory;
  std::string name;
  bool targetsFile = true;
  std::string target;  // an installed file's name, or a folder
};

struct InstallModel {
  std::string appName;
  std::string provider;
  std::string installDir;
  DeviceRequirements device;
  std::vector<InstalledFile> files;
  std::vector<RegistryValue> registry;
  std::vector<Shortcut> shortcuts;
  std::string setupDllSource;  // empty: no setup DLL
};

}  // namespace package_tool
