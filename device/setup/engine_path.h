#pragma once
#include <optional>
#include <string>

namespace bcesetup {

// Room the device gives the engine's path, terminator included.
inline constexpr std::size_t kEnginePathUnits = 256;

// "<installation folder>\Brindlecove.exe", or nothing when the folder is
// missing or the path would not fit kEnginePathUnits: a cut path would start
// some other program.
std::optional<std::wstring> EnginePathIn(const wchar_t* installFolder);

}  // namespace bcesetup
