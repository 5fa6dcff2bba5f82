#pragma once
#include <cstddef>

namespace device::setup {

// Room the device gives the engine's path, terminator included.
inline constexpr std::size_t kEnginePathUnits = 256;

// Writes "<installation folder>\Brindlecove.exe" into path. False, with path
// left empty, when the folder is missing or the path would not fit: a cut
// path would start some other program.
bool EnginePathIn(const wchar_t* installFolder, wchar_t (&path)[kEnginePathUnits]);

}  // namespace device::setup
