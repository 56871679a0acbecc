# SPDX-License-Identifier: MIT
# The Windows build: icon, manifest and version resource, the console twin for the command
# line, and the files the program needs beside it (deploy.txt), copied into the build's bin/
# folder, where the program and the tests run, and installed flat into the install prefix.

# The icon at the sizes Windows asks for, rendered from the one SVG.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT NAMES convert magick REQUIRED)
set(svg ${PROJECT_SOURCE_DIR}/data/icons/kazenoha.svg)
set(ico ${CMAKE_BINARY_DIR}/kazenoha.ico)
set(ico_pngs)
foreach(size 16 24 32 48 64 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/ico/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/ico
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
    DEPENDS ${svg} VERBATIM)
  list(APPEND ico_pngs ${png})
endforeach()
add_custom_command(OUTPUT ${ico} COMMAND ${IMAGEMAGICK_CONVERT} ${ico_pngs} ${ico} DEPENDS ${ico_pngs} VERBATIM)
# Made here, used by the programs' resources in src/: a target orders the two.
add_custom_target(program_ico DEPENDS ${ico})

set(KZ_FILE_VERSION ${PROJECT_VERSION}.0)
string(REPLACE "." "," KZ_VERSION_COMMAS ${KZ_FILE_VERSION})
set(KZ_ICO ${ico})
set(KZ_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/kazenoha.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kazenoha.manifest ${KZ_MANIFEST} @ONLY)

# A GUI program has no console: its --help and --compute answers would go nowhere. The same
# program built for the console serves the command line (kazenoha-cli --compute FILE).
add_executable(kazenoha-cli ${PROJECT_SOURCE_DIR}/src/main.cpp)
target_link_libraries(kazenoha-cli PRIVATE kz_shell kz_cli)
target_compile_definitions(kazenoha-cli PRIVATE KZ_VERSION="${PROJECT_VERSION}" KZ_DOCS="${KZ_DOCS}")
foreach(exe kazenoha kazenoha-cli)
  set(KZ_EXE_NAME ${exe})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/kazenoha.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${exe}.rc @ONLY)
  target_sources(${exe} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${exe}.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${exe}.rc PROPERTIES OBJECT_DEPENDS "${ico};${KZ_MANIFEST}")
  add_dependencies(${exe} program_ico)
endforeach()
install(TARGETS kazenoha-cli RUNTIME DESTINATION .)

# deploy.txt: where each file comes from and the folder it goes to.
get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
set(l10n_dir /usr/share/qt6/translations)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/deploy.txt lines REGEX "^[a-z0-9]+:")
set(deployed)
foreach(line ${lines})
  string(REGEX MATCH "^([a-z0-9]+):([^ ]+) => (.+)$" _ "${line}")
  set(kind ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  set(dest ${CMAKE_MATCH_3})
  if(kind STREQUAL "qt")
    set(from ${qt_prefix}/${name})
  elseif(kind STREQUAL "mingw")
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE from OUTPUT_STRIP_TRAILING_WHITESPACE)
  elseif(kind STREQUAL "l10n")
    set(from ${l10n_dir}/${name})
  endif()
  if(NOT EXISTS "${from}")
    message(FATAL_ERROR "deploy.txt: ${line}: ${from} not found")
  endif()
  get_filename_component(base ${from} NAME)
  set(to ${CMAKE_BINARY_DIR}/bin/${dest}/${base})
  add_custom_command(OUTPUT ${to} COMMAND ${CMAKE_COMMAND} -E copy ${from} ${to} DEPENDS ${from} VERBATIM)
  list(APPEND deployed ${to})
  install(FILES ${from} DESTINATION ${dest})
endforeach()
set(qt_conf ${CMAKE_BINARY_DIR}/bin/qt.conf)
add_custom_command(OUTPUT ${qt_conf} COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/qt.conf ${qt_conf}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/qt.conf VERBATIM)
if(BUILD_TESTING)
  # The tests run beside the program; only they need Qt Test.
  set(qt_test_dll ${CMAKE_BINARY_DIR}/bin/Qt6Test.dll)
  add_custom_command(OUTPUT ${qt_test_dll} COMMAND ${CMAKE_COMMAND} -E copy ${qt_prefix}/bin/Qt6Test.dll ${qt_test_dll}
    DEPENDS ${qt_prefix}/bin/Qt6Test.dll VERBATIM)
  list(APPEND deployed ${qt_test_dll})
endif()
add_custom_target(deploy ALL DEPENDS ${deployed} ${qt_conf})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/qt.conf DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# The manual page as plain text (UTF-8), which --help names: Windows has no man.
find_program(MAN_PROGRAM man REQUIRED)
set(manual_txt ${CMAKE_BINARY_DIR}/bin/kazenoha.txt)
add_custom_command(OUTPUT ${manual_txt}
  COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 LC_ALL=C.UTF-8 sh -c "${MAN_PROGRAM} -l '${PROJECT_SOURCE_DIR}/man/kazenoha.1' | col -bx > '${manual_txt}'"
  DEPENDS ${PROJECT_SOURCE_DIR}/man/kazenoha.1 VERBATIM)
add_custom_target(manual_txt ALL DEPENDS ${manual_txt})
install(FILES ${manual_txt} DESTINATION .)
