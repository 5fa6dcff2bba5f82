# The device modules as Windows CE ARM images, for Pocket PC 2003 and later
# devices: Debian's clang and ld.lld build ARM ELF files linked at the images'
# final addresses, and our bcimage turns them into CE images.
#
# ARM state for ARMv4T, the oldest core of those devices; returns by BX, which
# CE 5.0 made the default for interworking. The old APCS ABI (apcs-gnu) passes
# a 64-bit argument in the next free registers or stack word, without the
# ARM EABI's even-register pairing, as CE's compiler does; see
# docs/architecture.md for how that was checked. wchar_t is 16-bit, as the
# platform's Unicode calls take it. The Win32 declarations are MinGW's,
# C++ headers included; nothing of its libraries is linked.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_ASM_COMPILER clang)
set(bc_ce_target armv4t-none-eabi)
set(CMAKE_C_COMPILER_TARGET ${bc_ce_target})
set(CMAKE_CXX_COMPILER_TARGET ${bc_ce_target})
set(CMAKE_ASM_COMPILER_TARGET ${bc_ce_target})
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(BC_WINDOWS_CE ON)

set(bc_mingw_cxx /usr/lib/gcc/i686-w64-mingw32/12-win32/include/c++)
# Calling convention keywords mean nothing on ARM: one convention serves all.
set(bc_ce_flags "-marm -mabi=apcs-gnu -fshort-wchar -ffreestanding -fno-exceptions -fno-rtti -fdeclspec \
-D_WIN32 -D__MINGW32__ -D_WIN32_WCE=0x420 -DUNICODE -D_UNICODE -D__cdecl= -D__stdcall= \
-isystem /usr/share/mingw-w64/include")
set(CMAKE_C_FLAGS_INIT "${bc_ce_flags}")
set(CMAKE_CXX_FLAGS_INIT "${bc_ce_flags} -isystem ${bc_mingw_cxx} -isystem ${bc_mingw_cxx}/i686-w64-mingw32")
set(CMAKE_ASM_FLAGS_INIT "-marm")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -nostdlib")
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_CURRENT_LIST_DIR}/ce_arm_link.sh)

# The image tool runs on the build machine; the native tree builds it.
set(BC_CE_IMAGE_TOOL ${CMAKE_CURRENT_LIST_DIR}/../build/native/ce_image_tool/bcimage CACHE FILEPATH
    "bcimage, the host tool that writes CE images")
