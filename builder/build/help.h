#pragma once

namespace builder::build {

// Opens the help's first page, in the builder's folder, through the shell.
void ShowHelp();

}  // namespace builder::build
