#include "build_tool/project_builder.h"

#include <windows.h>

#include <cstdio>

#include "build_tool/cabinet_delivery.h"
#include "builder/build/core/build_checks.h"
#include "builder/build/package_run.h"
#include "builder/project/application_list.h"
#include "builder/project_file/project_reader.h"
#include "support/files.h"

namespace build_tool {

namespace build = builder::build;
namespace main_window = builder::main_window;

namespace {

void Report(const std::string& path, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", path.c_str(), message.c_str());
}

// The first line of Build's question: bcbuild cannot ask, and builds on as
// after the answer No.
std::string AdminCodeWarning() {
  const std::string question = build::kAskAdminCodeText;
  return question.substr(0, question.find('\n'));
}

// The message of a refusing check, or nothing when the project may be built.
const char* RefusalOf(build::SettingsCheck check) {
  switch (check) {
    case build::SettingsCheck::NegativeCountdown:
      return build::kNegativeCountdownText;
    case build::SettingsCheck::UnreadableLogo:
      return build::kUnreadableLogoText;
    case build::SettingsCheck::NoAdminCode:
    case build::SettingsCheck::Passed:
      break;
  }
  return nullptr;
}

// Runs the package in the work folder and comes back to the folder that
// the command line's relative paths name.
build::PackageRun RunInFolder(const std::string& folder, const main_window::ProjectSettings& settings,
                              const builder::project::ApplicationList& applications, std::string_view language) {
  const std::string back = support::FullPath(".");
  if (!SetCurrentDirectoryA(folder.c_str())) return {};
  const build::PackageRun run = build::MakePackage(settings, applications, language);
  SetCurrentDirectoryA(back.c_str());
  return run;
}

}  // namespace

ProjectBuilder::ProjectBuilder(std::string outputFolder, std::string workFolder)
    : outputFolder_(std::move(outputFolder)), workFolder_(std::move(workFolder)) {}

bool ProjectBuilder::ClaimName(const std::string& name) {
  return claimedNames_.insert(builder::project::LowerAnsi(name)).second;
}

ProjectOutcome ProjectBuilder::Build(const std::string& path) {
  // A new project, as Load Project starts from.
  main_window::ProjectSettings settings;
  builder::project::ApplicationList applications;
  std::string loadedLanguage;
  const auto reading = builder::project_file::ReadProjectFile(path, {settings, applications, loadedLanguage});
  if (!reading.isProject) {
    if (reading.parseErrorReport) {
      std::fputs(reading.parseErrorReport->c_str(), stderr);
    } else {
      Report(path, "cannot be read as a Brindlecove project");
    }
    return ProjectOutcome::Refused;
  }
  if (applications.Count() == 0) {
    Report(path, build::kNoApplicationsText);
    return ProjectOutcome::Refused;
  }
  const build::SettingsCheck check = build::CheckSettings(settings);
  if (const char* refusal = RefusalOf(check)) {
    Report(path, refusal);
    return ProjectOutcome::Refused;
  }
  if (check == build::SettingsCheck::NoAdminCode) Report(path, AdminCodeWarning());
  if (!IsPlainFolderName(settings.name)) {
    Report(path, "the project's name \"" + settings.name + "\" cannot name a folder");
    return ProjectOutcome::Refused;
  }
  if (!ClaimName(settings.name)) {
    Report(path, "another project of this run is named \"" + settings.name + "\"");
    return ProjectOutcome::Refused;
  }

  // The logo was checked against this folder, not the work folder.
  settings.logo = support::FullPath(settings.logo);
  const std::string_view language = main_window::kLanguageTable[main_window::LanguageIndex(loadedLanguage)];
  const build::PackageRun run = RunInFolder(workFolder_, settings, applications, language);
  if (run.failure) {
    Report(path, run.failure);
    return ProjectOutcome::PackageFailed;
  }
  if (!run.scriptRan) {
    Report(path, "the package script mksetup.bat could not be started");
    return ProjectOutcome::PackageFailed;
  }
  const CabinetDelivery delivery = DeliverCabinets(workFolder_, outputFolder_ + "\\" + settings.name);
  for (const std::string& cabinet : delivery.cabinets) std::printf("%s\n", cabinet.c_str());
  if (delivery.failure.empty()) return ProjectOutcome::Built;
  Report(path, delivery.failure);
  return ProjectOutcome::PackageFailed;
}

}  // namespace build_tool
