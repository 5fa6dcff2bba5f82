# bc_device_module for the desktop build (see CMakeLists.txt).
function(bc_device_module target kind)
  cmake_parse_arguments(M "" "ENTRY;ARG_BYTES;DEF" "SOURCES;LIBS" ${ARGN})
  if(kind STREQUAL LIBRARY)
    add_library(${target} SHARED ${M_SOURCES} ${M_DEF})
    set_target_properties(${target} PROPERTIES PREFIX "")
  else()
    add_executable(${target} WIN32 ${M_SOURCES})
  endif()
  target_compile_options(${target} PRIVATE -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
                         -fno-threadsafe-statics -mno-stack-arg-probe)
  set(entry ${M_ENTRY})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND M_ARG_BYTES)
    set(entry _${entry}@${M_ARG_BYTES})
  elseif(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(entry _${entry})
  endif()
  # The .def files name the exports plainly; the 32-bit build finds them
  # under their __stdcall names without a warning.
  target_link_options(${target} PRIVATE -nostdlib -s -Wl,--entry,${entry} -Wl,--enable-stdcall-fixup)
  target_link_libraries(${target} PRIVATE bc_engine_contract kernel32 ${M_LIBS})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BC_DEVICE_DIR})
endfunction()
