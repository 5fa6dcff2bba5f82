#include "builder/build/package_output.h"

#include <windows.h>

#include "builder/build/core/package_files.h"
#include "builder/build/core/text_file.h"
#include "builder/build/processes.h"
#include "device/engine_contract/engine_contract.h"

namespace builder::build {

namespace engine_contract = ::device::engine_contract;

namespace {
constexpr const char* kCodeFile = engine_contract::kCodeFileName.narrow;
constexpr const char* kLogoFile = engine_contract::kLogoFileName.narrow;
constexpr const char* kPackageScript = "mksetup.bat";
}  // namespace

void WritePackageFiles(const std::string& admincode, const std::string& logo, const project::ApplicationList& list) {
  WriteTextModeFile(kCodeFile, AdminCodeFileBytes(admincode));
  WriteTextModeFile(engine_contract::kApplicationListFileName.narrow, ApplicationListFileBytes(list));
  // Without a logo the copy fails and no bce_logofile is left from an older build.
  DeleteFileA(kLogoFile);
  CopyFileA(logo.c_str(), kLogoFile, FALSE);
}

bool RunPackageScript() {
  if (!RunAndWait(kPackageScript, SW_HIDE)) return false;
  DeleteFileA(kCodeFile);
  return true;
}

}  // namespace builder::build
