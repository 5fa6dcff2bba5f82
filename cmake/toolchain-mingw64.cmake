# A second configuration: the same programs as 64-bit builds, so that the code
# stays clean for both pointer sizes.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BC_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
