#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "package_tool/inf_file.h"
#include "package_tool/install_model.h"

namespace package_tool {

// Tells whether a source file exists; the path is relative to the setup
// information file's folder, with backslashes.
using FileProbe = std::function<bool(const std::string& path)>;

// The targets named by [CEDevice.<target>] sections; without any, the one
// target "PPC_ARM" (Pocket PC on ARM), which [CEDevice] alone describes.
// Throws PackageError for a [CEDevice.] section that names no target.
std::vector<std::string> DeviceTargets(const InfFile& inf);

// Reads the whole installation for one target. Throws PackageError naming
// the line at fault: a missing section or entry, a file absent from the
// source disks, a malformed line, an unknown macro.
InstallModel BuildInstallModel(const InfFile& inf, std::string_view target, const FileProbe& probe);

}  // namespace package_tool
