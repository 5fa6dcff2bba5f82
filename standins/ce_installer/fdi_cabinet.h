#pragma once
#include <string>
#include <vector>

namespace standins::ce_installer {

// Extracts every member of a single cabinet into a folder with cabinet.dll's
// decompression interface and gives their names in cabinet order. Throws
// std::runtime_error with the reason when the cabinet cannot be read whole;
// members of a failed extraction may be left in the folder.
std::vector<std::string> ExtractCabinet(const std::wstring& cabinetPath, const std::wstring& folder);

}  // namespace standins::ce_installer
