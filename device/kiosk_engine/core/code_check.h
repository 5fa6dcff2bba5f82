#pragma once
// The administrator code check, one rule for bcmgr's CheckLogin and for the
// engine's own prompt.
#include <cstddef>

namespace device::kiosk_engine {

// The code file's first bytes (at most kCodeCompareLength of fileSize),
// ended at the first NUL, equal to typed as 8-bit strings (as strcmp
// compares them). So an empty file accepts only the empty code, and a longer
// file only its first bytes.
bool CodeMatchesFile(const char* fileBytes, std::size_t fileSize, const char* typed);

// The same for a code typed into an edit box: only the digits 0 to 9 are
// taken; any other code unit, or more digits than the file can hold, does
// not match.
bool TypedCodeMatchesFile(const char* fileBytes, std::size_t fileSize, const wchar_t* typed);

}  // namespace device::kiosk_engine
