# SPDX-License-Identifier: MIT
# kz_core_library(NAME SOURCES ... [LIBS ...]): a library of the Qt-free core. It may link
# only other core libraries; anything else (Qt above all) stops the configuration, checked
# once the directory is read so that a later target_link_libraries cannot slip past.
function(kz_core_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  set_target_properties(${name} PROPERTIES KZ_CORE TRUE AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  if(A_LIBS)
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  endif()
  cmake_language(EVAL CODE "cmake_language(DEFER CALL kz_check_core_links ${name})")
endfunction()

function(kz_check_core_links name)
  get_target_property(libs ${name} LINK_LIBRARIES)
  if(NOT libs)
    return()
  endif()
  foreach(lib IN LISTS libs)
    set(core FALSE)
    if(TARGET ${lib})
      get_target_property(core ${lib} KZ_CORE)
    endif()
    if(NOT core)
      message(FATAL_ERROR "${name} is a core library and links ${lib}: the core links only core libraries (no Qt)")
    endif()
  endforeach()
endfunction()
