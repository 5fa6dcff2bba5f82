// Build: checks the project, fills setup.inf, writes the package files and
// runs the package script, then shows the output folder.
#include "builder/build/builder_folder.h"
#include "builder/build/core/setup_substitutions.h"
#include "builder/build/core/text_file.h"
#include "builder/build/package_output.h"
#include "builder/build/setup_file.h"
#include "builder/main_window/main_dialog.h"
#include "builder/project/application_list.h"
#include "framework/message_box.h"
#include "framework/wait_cursor.h"

namespace builder {

namespace {

constexpr const char* kBuilderCaption = "Brindlecove Builder";
constexpr const char* kShortCaption = "Brindlecove";
constexpr const char* kNoApplications = "Please specify one or more allowed applications";
constexpr const char* kNegativeCountdown = "Countdown value can only be greater than or equal to 0";
constexpr const char* kInvalidLogo = "Please enter valid path of a logo file";
constexpr const char* kAskAdminCode =
    "It is recommended to enter an administrator code.\nWould you like to enter it?";
// Names the installed builder's folder, wherever this one runs from.
constexpr const char* kPackagesInfo =
    "After build is over, packages (.cab) will be generated in \\Program Files\\Vantrel\\Brindlecove\\output "
    "folder.\nIf PocketPC device is connected with this computer over ActiveSync, then click on Install button. "
    "Otherwise later you can copy the cab package to devices manually.";
constexpr int32_t kDefaultCountdown = 10;

}  // namespace

void MainDialog::OnBuild() {
  if (TheApplicationList().Count() == 0) {
    framework::OwnedMessageBox(Hwnd(), kNoApplications, kBuilderCaption, MB_OK);
    return;
  }
  OnSaveProject();   // Saved, cancelled or failed: the build goes on.
  UpdateData(true);  // A refused value has shown its message; the build goes on.
  if (!CheckBuildSettings()) return;
  framework::OwnedMessageBox(Hwnd(), kPackagesInfo, kBuilderCaption, MB_OK);
  if (!EnterBuilderFolder()) return;

  framework::WaitCursor::Begin();
  bool scriptRan = false;
  if (FillSetupFile(SetupSubstitutions(settings_, kLanguageTable[static_cast<size_t>(LanguageSelection())]))) {
    WritePackageFiles(settings_.admincode, settings_.logo, TheApplicationList());
    scriptRan = RunPackageScript();
  }
  framework::WaitCursor::Restore();
  if (scriptRan) OnOpenPackages();
  framework::WaitCursor::End();
}

bool MainDialog::CheckBuildSettings() {
  if (settings_.startuptimer < 0) {
    framework::FrameworkMessageBox(kNegativeCountdown);
    settings_.startuptimer = kDefaultCountdown;
    UpdateData(false);
    return false;
  }
  if (!settings_.logo.empty() && !FileIsReadable(settings_.logo)) {
    framework::FrameworkMessageBox(kInvalidLogo);
    return false;
  }
  if (settings_.admincode.empty()) {
    // Yes: the user types a code on the keypad and builds again.
    return framework::OwnedMessageBox(Hwnd(), kAskAdminCode, kShortCaption, MB_YESNO) != IDYES;
  }
  return true;
}

}  // namespace builder
