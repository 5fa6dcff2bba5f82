// Project file commands: not built yet.
#include "builder/main_window/main_dialog.h"

namespace builder {
void MainDialog::OnSaveProject() {}
void MainDialog::WriteProjectFile(const std::string&) {}
void MainDialog::OnLoadProject() {}
void MainDialog::ReadProjectFile(const std::string&) {}
void MainDialog::OnBrowseLogo() {}
void MainDialog::SelectLoadedLanguage() {}
}  // namespace builder
