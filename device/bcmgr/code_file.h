#pragma once

namespace device::bcmgr {

// 1 when the code equals the first bytes of the device's administrator code
// file, compared as text; 0 otherwise, also when the file cannot be read.
int MatchCodeFile(const char* code);

}  // namespace device::bcmgr
