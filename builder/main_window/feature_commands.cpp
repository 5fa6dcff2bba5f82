// The main window's commands that other features carry out: project files,
// build, install, help and the device.
#include "builder/build/build_package.h"
#include "builder/build/help.h"
#include "builder/build/package_folder.h"
#include "builder/device/about_dialog.h"
#include "builder/device/device_controller_dialog.h"
#include "builder/main_window/main_dialog.h"
#include "builder/project/application_list.h"
#include "builder/project_file/load_project.h"
#include "builder/project_file/save_project.h"

namespace builder {

void MainDialog::OnLoadProject() {
  const auto chosen = AskProjectToLoad(Hwnd());
  if (!chosen) return;
  OnNewProject();
  settings_.projectfilepath = *chosen;
  if (ReadProjectFile(*chosen, {settings_, TheApplicationList(), loadedlanguage_})) UpdateData(false);
  RefreshList();
  SelectLoadedLanguage();
  EnableKioskDesktopControls(settings_.enablekioskdesktop != 0);
}

void MainDialog::OnSaveProject() {
  if (settings_.projectfilepath.empty()) settings_.projectfilepath = AskProjectToSave(Hwnd()).value_or("");
  if (settings_.projectfilepath.empty()) return;
  UpdateData(true);  // A refused entry keeps its previous value; the save goes on.
  if (WriteProjectFile(settings_.projectfilepath, settings_, TheApplicationList(), SelectedLanguage())) {
    UpdateData(false);
  }
}

void MainDialog::OnBuild() {
  if (!CheckApplicationsListed(Hwnd(), TheApplicationList())) return;
  OnSaveProject();   // Saved, cancelled or failed: the build goes on.
  UpdateData(true);  // A refused value has shown its message; the build goes on.
  const BuildCheck check = CheckBuildSettings(Hwnd(), settings_);
  if (check == BuildCheck::CountdownReset) UpdateData(false);
  if (check != BuildCheck::Passed) return;
  BuildPackage(Hwnd(), settings_, TheApplicationList(), SelectedLanguage());
}

void MainDialog::OnInstall() { InstallPackage(); }

void MainDialog::OnOpenPackages() { OpenPackageFolder(); }

void MainDialog::OnHelp() { ShowHelp(); }

void MainDialog::OnDeviceControl() { ShowDeviceController(Hwnd()); }

void MainDialog::OnAbout() { ShowAboutBox(Hwnd()); }

}  // namespace builder
