# estocarium_library(<target> [LINK <library>...])
#
# One static library from the sources of the calling folder, without its subfolders: every
# layer of the program is one folder and one library. LINK names the layers below it that it
# uses, and nothing else is reachable through the linker; scripts/check-layers.sh checks that the
# includes agree.
function(estocarium_library target)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
  if(sources)
    add_library(${target} STATIC ${sources})
    # A window's header derives from its form's generated class (ui_<form>.h), whose components
    # are the window's own: whoever includes the window reaches them too.
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/include)
    target_link_libraries(${target} PUBLIC ${ARG_LINK})
  else()
    # A layer with nothing of its own yet still passes its links on.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_LINK})
  endif()
endfunction()
