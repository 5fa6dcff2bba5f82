#include "builder/build/package_folder.h"

#include "builder/build/builder_folder.h"
#include "builder/build/core/builder_paths.h"
#include "builder/build/processes.h"
#include "builder/build/shell_open.h"
#include "framework/wait_cursor.h"

namespace builder::build {

void InstallPackage() {
  framework::WaitCursor::Begin();
  if (EnterBuilderFolder() && !RunAndWait("installsetup.bat", SW_SHOW)) framework::WaitCursor::Restore();
  framework::WaitCursor::End();
}

void OpenPackageFolder() {
  if (!EnterBuilderFolder()) return;
  const auto current = CurrentFolder();
  const auto output = current ? JoinPath(*current, kOutputFolderTail) : std::nullopt;
  if (output) OpenFolder(output->c_str());
}

}  // namespace builder::build
