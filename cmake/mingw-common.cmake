# Shared by the MinGW-w64 toolchain files: the one that includes this sets
# BC_MINGW_TRIPLE. The Win32 thread model keeps the POSIX thread runtime, and
# its Vista-only imports, out of every binary.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${BC_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${BC_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${BC_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
