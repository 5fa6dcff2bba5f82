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

namespace builder::main_window {

void MainDialog::OnLoadProject() {
  const auto chosen = project_file::AskProjectToLoad(Hwnd());
  if (!chosen) return;
  OnNewProject();
  settings_.projectfilepath = *chosen;
  if (project_file::LoadProjectFile(*chosen, {settings_, project::TheApplicationList(), loadedlanguage_})) {
    UpdateData(false);
  }
  RefreshList();
  SelectLoadedLanguage();
  EnableKioskDesktopControls(settings_.enablekioskdesktop != 0);
}

void MainDialog::OnSaveProject() {
  if (settings_.projectfilepath.empty()) {
    settings_.projectfilepath = project_file::AskProjectToSave(Hwnd()).value_or("");
  }
  if (settings_.projectfilepath.empty()) return;
  UpdateData(true);  // A refused entry keeps its previous value; the save goes on.
  if (project_file::WriteProjectFile(settings_.projectfilepath, settings_, project::TheApplicationList(),
                                     SelectedLanguage())) {
    UpdateData(false);
  }
}

void MainDialog::OnBuild() {
  if (!build::CheckApplicationsListed(Hwnd(), project::TheApplicationList())) return;
  OnSaveProject();   // Saved, cancelled or failed: the build goes on.
  UpdateData(true);  // A refused value has shown its message; the build goes on.
  const build::BuildCheck check = build::CheckBuildSettings(Hwnd(), settings_);
  if (check == build::BuildCheck::CountdownReset) UpdateData(false);
  if (check != build::BuildCheck::Passed) return;
  build::BuildPackage(Hwnd(), settings_, project::TheApplicationList(), SelectedLanguage());
}

void MainDialog::OnInstall() { build::InstallPackage(); }

void MainDialog::OnOpenPackages() { build::OpenPackageFolder(); }

void MainDialog::OnHelp() { build::ShowHelp(); }

void MainDialog::OnDeviceControl() { device::ShowDeviceController(Hwnd()); }

void MainDialog::OnAbout() { device::ShowAboutBox(Hwnd()); }

}  // namespace builder::main_window
