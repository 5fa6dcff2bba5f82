#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace framework {

enum class FileDialogKind { Open, Save };

// Shows the common file dialog with no option flags, no default extension and
// no initial name; the filter's entries are separated by '|'. Returns the full
// path chosen, or nothing when the user cancels.
std::optional<std::string> AskFileName(HWND owner, FileDialogKind kind, const char* title, const char* filter);

}  // namespace framework
