#include "builder/build/package_run.h"

#include "builder/build/core/setup_substitutions.h"
#include "builder/build/package_output.h"
#include "builder/build/setup_file.h"

namespace builder::build {

PackageRun MakePackage(const main_window::ProjectSettings& settings, const project::ApplicationList& applications,
                       std::string_view language) {
  PackageRun run;
  run.failure = FillSetupFile(SetupSubstitutions(settings, language));
  if (run.failure) return run;
  WritePackageFiles(settings.admincode, settings.logo, applications);
  run.scriptRan = RunPackageScript();
  return run;
}

}  // namespace builder::build
