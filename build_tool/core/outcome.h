#pragma once
#include <string_view>
#include <vector>

namespace build_tool {

// What became of one project; the numbers are bcbuild's exit statuses.
enum class ProjectOutcome {
  Built = 0,
  PackageFailed = 1,  // read and checked, but no package came of it
  Refused = 2,        // unreadable, refused by a check, or no file matched; also a wrong command line
};

// The exit status of a run: the worst outcome, a refusal above a failed
// package, since a refused project needs its author and a failed package
// may only need another try. 0 when there was nothing to build.
int ExitStatus(const std::vector<ProjectOutcome>& outcomes);

// True when the project's name can be the folder of its cabinets as it
// stands: not empty, not "." or "..", no character that a Windows file name
// cannot hold (control characters, < > : " / \ | ? *), no trailing dot or
// blank, and not a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any
// extension, in any case).
bool IsPlainFolderName(std::string_view name);

}  // namespace build_tool
