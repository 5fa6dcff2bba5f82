#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "package_tool/install_model.h"

namespace package_tool {

// The installer's setup file (the cabinet's .000 member, "MSCE" header):
// strings, folders, files, registry keys and values, shortcuts. Throws
// PackageError naming infName when the installation is too large for the
// format's 16-bit fields.
std::vector<uint8_t> WriteSetupFile(const InstallModel& model, const std::string& infName);

}  // namespace package_tool
