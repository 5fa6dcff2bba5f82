# The shipped build: 32-bit x86 programs for Windows XP SP3 and later.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(BC_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
