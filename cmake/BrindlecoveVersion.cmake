# The release's one version number, kept in the file VERSION at the top of the
# tree as four dotted numbers: BC_VERSION and its parts BC_VERSION_MAJOR,
# _MINOR, _PATCH and _BUILD. Editing VERSION reconfigures the tree.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION)
file(STRINGS ${CMAKE_SOURCE_DIR}/VERSION BC_VERSION LIMIT_COUNT 1)
if(NOT BC_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION must hold four dotted numbers, not '${BC_VERSION}'")
endif()
set(BC_VERSION_MAJOR ${CMAKE_MATCH_1})
set(BC_VERSION_MINOR ${CMAKE_MATCH_2})
set(BC_VERSION_PATCH ${CMAKE_MATCH_3})
set(BC_VERSION_BUILD ${CMAKE_MATCH_4})
# The builder's version as its About box shows it, for the tests that read it.
set(BC_ABOUT_VERSION "v${BC_VERSION_MAJOR}.${BC_VERSION_MINOR}.${BC_VERSION_PATCH} Build ${BC_VERSION_BUILD} ")
