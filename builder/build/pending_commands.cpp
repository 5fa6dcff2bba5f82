// Package build commands: not built yet.
#include "builder/main_window/main_dialog.h"

namespace builder {
void MainDialog::OnBuild() {}
void MainDialog::OnInstall() {}
void MainDialog::OnOpenPackages() {}
void MainDialog::OnHelp() {}
}  // namespace builder
