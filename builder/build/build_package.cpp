#include "builder/build/build_package.h"

#include "builder/build/builder_folder.h"
#include "builder/build/core/setup_substitutions.h"
#include "builder/build/core/text_file.h"
#include "builder/build/package_folder.h"
#include "builder/build/package_output.h"
#include "builder/build/setup_file.h"
#include "framework/message_box.h"
#include "framework/wait_cursor.h"

namespace builder::build {

namespace {

constexpr const char* kBuilderCaption = "Brindlecove Builder";
constexpr const char* kShortCaption = "Brindlecove";
constexpr const char* kAskAdminCode =
    "It is recommended to enter an administrator code.\nWould you like to enter it?";
// Names the installed builder's folder, wherever this one runs from.
constexpr const char* kPackagesInfo =
    "After build is over, packages (.cab) will be generated in \\Program Files\\Vantrel\\Brindlecove\\output "
    "folder.\nIf PocketPC device is connected with this computer over ActiveSync, then click on Install button. "
    "Otherwise later you can copy the cab package to devices manually.";
constexpr int32_t kDefaultCountdown = 10;

}  // namespace

bool CheckApplicationsListed(HWND owner, const project::ApplicationList& applications) {
  if (applications.Count() != 0) return true;
  framework::OwnedMessageBox(owner, "Please specify one or more allowed applications", kBuilderCaption, MB_OK);
  return false;
}

BuildCheck CheckBuildSettings(HWND owner, main_window::ProjectSettings& settings) {
  if (settings.startuptimer < 0) {
    framework::FrameworkMessageBox("Countdown value can only be greater than or equal to 0");
    settings.startuptimer = kDefaultCountdown;
    return BuildCheck::CountdownReset;
  }
  if (!settings.logo.empty() && !FileIsReadable(settings.logo)) {
    framework::FrameworkMessageBox("Please enter valid path of a logo file");
    return BuildCheck::Stopped;
  }
  // Yes: the user types a code on the keypad and builds again.
  if (settings.admincode.empty() &&
      framework::OwnedMessageBox(owner, kAskAdminCode, kShortCaption, MB_YESNO) == IDYES) {
    return BuildCheck::Stopped;
  }
  return BuildCheck::Passed;
}

void BuildPackage(HWND owner, const main_window::ProjectSettings& settings,
                  const project::ApplicationList& applications, std::string_view language) {
  framework::OwnedMessageBox(owner, kPackagesInfo, kBuilderCaption, MB_OK);
  if (!EnterBuilderFolder()) return;

  framework::WaitCursor::Begin();
  bool scriptRan = false;
  if (FillSetupFile(SetupSubstitutions(settings, language))) {
    WritePackageFiles(settings.admincode, settings.logo, applications);
    scriptRan = RunPackageScript();
  }
  framework::WaitCursor::Restore();
  if (scriptRan) OpenPackageFolder();
  framework::WaitCursor::End();
}

}  // namespace builder::build
