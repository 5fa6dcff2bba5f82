#include "builder/build/help.h"

#include "builder/build/builder_folder.h"
#include "builder/build/core/builder_paths.h"
#include "builder/build/shell_open.h"

namespace builder::build {

void ShowHelp() {
  const auto folder = EnterBuilderFolder();
  const auto page = folder ? JoinPath(*folder, kHelpPageTail) : std::nullopt;
  if (page) ShellOpen(page->c_str());
}

}  // namespace builder::build
