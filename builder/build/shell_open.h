#pragma once

namespace builder::build {

// Opens a file through the shell with the verb "open", shown normally,
// without an owner. The outcome is not examined.
void ShellOpen(const char* path);

// Opens a folder in the desktop's file browser through the shell class
// "folder". Where the shell has no usable class of that name (Wine's only
// answers DDE that nothing serves), an existing folder is handed to the file
// browser directly. The outcome is not examined.
void OpenFolder(const char* path);

}  // namespace builder::build
