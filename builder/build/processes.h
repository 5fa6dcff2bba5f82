#pragma once
#include <windows.h>

namespace builder::build {

// Starts the command line in the current folder with the given show state,
// no inherited handles and the builder's environment, and waits for it to
// end without a time-out. False when it could not be started.
bool RunAndWait(const char* commandLine, WORD showState);

}  // namespace builder::build
