#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "package_tool/install_model.h"

namespace package_tool {

// Numbers in the cabinet: the setup file is .000, the installed files are
// .001 upwards in the order of the model, the setup DLL is .999.
inline constexpr unsigned kSetupFileNumber = 0;
inline constexpr unsigned kSetupDllNumber = 999;
inline unsigned FileNumber(size_t fileIndex) { return static_cast<unsigned>(fileIndex) + 1; }

// The 8.3 name a file takes in the cabinet: a short name kept as it is and
// padded on the left with '0' ("0Blkjack.005"), a longer one cut to six
// characters in upper case plus "~1" ("BLACKJ~1.999").
std::string CabinetMemberName(std::string_view trueName, unsigned number);

struct CabinetMember {
  std::string sourcePath;  // empty for the setup file, which the caller supplies
  std::string cabName;
};

// The members in the order the installer expects: the setup file first, then
// the others by descending number.
std::vector<CabinetMember> LayOutCabinet(const InstallModel& model);

// The cabinet's own file name, e.g. "Brindlecove.PPC_ARM.CAB".
std::string CabinetFileName(const InstallModel& model, std::string_view target);

}  // namespace package_tool
