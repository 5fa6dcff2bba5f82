# bc_device_module for the Windows CE ARM build (see CMakeLists.txt): the
# module is linked as an ARM ELF file at the image's base with its relocations
# kept, then bcimage writes TARGET.dll or TARGET.exe into the tree's top.
# Calls reach coredll.dll through the thunks of the reviewed ordinal table;
# the linker keeps those the module calls, the entry and the exports.
enable_language(ASM)
# In the cache, so that modules outside device/ (the ARM tests' probe.dll) see it too.
set(BC_CORE_ORDINALS ${CMAKE_CURRENT_LIST_DIR}/coredll_ordinals.txt CACHE INTERNAL "the reviewed coredll ordinals")
set(bc_thunks ${CMAKE_CURRENT_BINARY_DIR}/coredll_thunks.S)
add_custom_command(OUTPUT ${bc_thunks}
  COMMAND ${BC_CE_IMAGE_TOOL} thunks ${BC_CORE_ORDINALS} ${bc_thunks}
  DEPENDS ${BC_CORE_ORDINALS} ${BC_CE_IMAGE_TOOL} VERBATIM)
add_library(bc_coredll_thunks OBJECT ${bc_thunks})
# Resource scripts become .res files for bcimage: MinGW's windres, which
# preprocesses them with MinGW's headers and the module's generated ones.
find_program(BC_RESOURCE_COMPILER i686-w64-mingw32-windres REQUIRED)

function(bc_device_module target kind)
  cmake_parse_arguments(M "" "ENTRY;ARG_BYTES;DEF;NAME;RESOURCES" "SOURCES;LIBS;RESOURCE_HEADERS" ${ARGN})
  set(name ${target})
  if(M_NAME)
    set(name ${M_NAME})
  endif()
  set(elf ${target}_elf)
  add_executable(${elf} ${M_SOURCES} $<TARGET_OBJECTS:bc_coredll_thunks>)
  target_compile_options(${elf} PRIVATE -Os -ffunction-sections -fdata-sections -fno-threadsafe-statics)
  target_link_libraries(${elf} PRIVATE bc_engine_contract)
  set(script ${CMAKE_SOURCE_DIR}/cmake/ce_arm_image.ld)
  if(kind STREQUAL LIBRARY)
    set(base 0x10000000)
    set(image ${CMAKE_BINARY_DIR}/${name}.dll)
    set(tool_args dll $<TARGET_FILE:${elf}> ${BC_CORE_ORDINALS} ${CMAKE_CURRENT_SOURCE_DIR}/${M_DEF} ${image})
    # The exports stay although nothing in the module calls them.
    file(STRINGS ${M_DEF} lines REGEX "^[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*$")
    foreach(line ${lines})
      string(STRIP ${line} export)
      target_link_options(${elf} PRIVATE -Wl,--undefined=${export})
    endforeach()
  else()
    set(base 0x00010000)
    set(image ${CMAKE_BINARY_DIR}/${name}.exe)
    set(tool_args exe $<TARGET_FILE:${elf}> ${BC_CORE_ORDINALS} ${image})
  endif()
  # Calls outside the table stay undefined here; bcimage names them.
  target_link_options(${elf} PRIVATE -Wl,-T,${script} -Wl,--defsym=__image_base__=${base} -Wl,--entry=${M_ENTRY}
                      -Wl,--emit-relocs -Wl,--gc-sections -Wl,--unresolved-symbols=ignore-all)
  set_target_properties(${elf} PROPERTIES OUTPUT_NAME ${name}.elf LINK_DEPENDS ${script})
  set(resources "")
  if(M_RESOURCES)
    set(resources ${CMAKE_CURRENT_BINARY_DIR}/${name}.res)
    set(script_file ${CMAKE_CURRENT_SOURCE_DIR}/${M_RESOURCES})
    add_custom_command(OUTPUT ${resources}
      COMMAND ${BC_RESOURCE_COMPILER} -O res -I ${CMAKE_CURRENT_BINARY_DIR} -i ${script_file} -o ${resources}
      DEPENDS ${script_file} ${M_RESOURCE_HEADERS} VERBATIM)
  endif()
  add_custom_command(OUTPUT ${image} COMMAND ${BC_CE_IMAGE_TOOL} ${tool_args} ${resources}
    DEPENDS ${elf} ${resources} ${BC_CORE_ORDINALS} ${BC_CE_IMAGE_TOOL} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${image})
endfunction()
