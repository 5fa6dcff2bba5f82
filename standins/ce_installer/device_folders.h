#pragma once
// The device's folders as the setup file names them: the folder macros
// %CE1%..%CE17% of the CE installer and %InstallDir%, resolved to device
// paths ("\Program Files\Brindlecove").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standins::ce_installer {

// The folder a macro name stands for ("CE1" gives "\Program Files"), any case.
std::optional<std::string> DeviceFolderOf(std::string_view macroName);

// "%CE1%\Brindlecove", "%InstallDir%\data" or "\Temp\x" as a device path.
// Throws std::runtime_error for anything else, and for parts such as ".."
// that would lead out of the folder named.
std::string ResolveFolder(const std::string& folder, const std::string& installDir);

// The text with every %CEn% and %InstallDir% replaced; other text unchanged.
std::string ExpandFolderMacros(const std::string& text, const std::string& installDir);

// A name that stays inside its folder: no separators, wildcards, control
// characters, "." or "..", and no trailing dot or space that Windows drops.
bool IsPlainName(std::string_view name);

// The folder and its parents, outermost first: "\a\b" gives {"\a", "\a\b"}.
std::vector<std::string> FolderChain(const std::string& devicePath);

// The folder part of a device path: "\a\b.txt" gives "\a".
std::string ParentFolder(const std::string& devicePath);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace standins::ce_installer
