// Install, Open Packages and Help: hand the builder's folder to other programs.
#include "builder/build/builder_folder.h"
#include "builder/build/core/builder_paths.h"
#include "builder/build/processes.h"
#include "builder/main_window/main_dialog.h"
#include "framework/wait_cursor.h"

namespace builder {

void MainDialog::OnInstall() {
  framework::WaitCursor::Begin();
  if (EnterBuilderFolder() && !RunAndWait("installsetup.bat", SW_SHOW)) framework::WaitCursor::Restore();
  framework::WaitCursor::End();
}

void MainDialog::OnOpenPackages() {
  if (!EnterBuilderFolder()) return;
  const auto current = CurrentFolder();
  const auto output = current ? JoinPath(*current, kOutputFolderTail) : std::nullopt;
  if (output) OpenFolder(output->c_str());
}

void MainDialog::OnHelp() {
  const auto folder = EnterBuilderFolder();
  const auto page = folder ? JoinPath(*folder, kHelpPageTail) : std::nullopt;
  if (page) ShellOpen(page->c_str());
}

}  // namespace builder
