#include "builder/build/build_package.h"

#include "builder/build/builder_folder.h"
#include "builder/build/core/build_checks.h"
#include "builder/build/core/signing_refusal.h"
#include "builder/build/package_folder.h"
#include "builder/build/package_run.h"
#include "framework/message_box.h"
#include "framework/wait_cursor.h"
#include "support/files.h"

namespace builder::build {

namespace {

constexpr const char* kBuilderCaption = "Brindlecove Builder";
constexpr const char* kShortCaption = "Brindlecove";
// Names the installed builder's folder, wherever this one runs from.
constexpr const char* kPackagesInfo =
    "After build is over, packages (.cab) will be generated in \\Program Files\\Vantrel\\Brindlecove\\output "
    "folder.\nIf PocketPC device is connected with this computer over ActiveSync, then click on Install button. "
    "Otherwise later you can copy the cab package to devices manually.";

// A refused signing certificate is the administrator's to fix, so it gets a
// message of its own rather than only the report in the output folder.
void ReportSigningRefusal() {
  const std::optional<std::string> report = support::ReadWholeFile(kPackageFailureReport);
  if (!report) return;
  if (const auto refusal = SigningRefusal(*report)) framework::FrameworkMessageBox(*refusal);
}

}  // namespace

bool CheckApplicationsListed(HWND owner, const project::ApplicationList& applications) {
  if (applications.Count() != 0) return true;
  framework::OwnedMessageBox(owner, kNoApplicationsText, kBuilderCaption, MB_OK);
  return false;
}

BuildCheck CheckBuildSettings(HWND owner, main_window::ProjectSettings& settings) {
  switch (CheckSettings(settings)) {
    case SettingsCheck::NegativeCountdown:
      framework::FrameworkMessageBox(kNegativeCountdownText);
      settings.startuptimer = kDefaultCountdown;
      return BuildCheck::CountdownReset;
    case SettingsCheck::UnreadableLogo:
      framework::FrameworkMessageBox(kUnreadableLogoText);
      return BuildCheck::Stopped;
    case SettingsCheck::NoAdminCode:
      // Yes: the user types a code on the keypad and builds again.
      return framework::OwnedMessageBox(owner, kAskAdminCodeText, kShortCaption, MB_YESNO) == IDYES
                 ? BuildCheck::Stopped
                 : BuildCheck::Passed;
    case SettingsCheck::Passed:
      break;
  }
  return BuildCheck::Passed;
}

void BuildPackage(HWND owner, const main_window::ProjectSettings& settings,
                  const project::ApplicationList& applications, std::string_view language) {
  framework::OwnedMessageBox(owner, kPackagesInfo, kBuilderCaption, MB_OK);
  // The logo was checked against this folder, not the builder's.
  main_window::ProjectSettings packaged = settings;
  packaged.logo = support::FullPath(settings.logo);
  if (!EnterBuilderFolder()) return;

  framework::WaitCursor::Begin();
  const PackageRun run = MakePackage(packaged, applications, language);
  if (run.failure) framework::FrameworkMessageBox(run.failure);
  if (run.scriptRan) ReportSigningRefusal();
  framework::WaitCursor::Restore();
  if (run.scriptRan) OpenPackageFolder();
  framework::WaitCursor::End();
}

}  // namespace builder::build
