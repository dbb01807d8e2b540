# Two layouts (see src/common/program_layout.h for how the programs tell them apart).
#
# Portable, `cmake --install BUILD --prefix DIR`: DIR/gravmark-parser/, one folder that runs
# as it is. The marker file makes it the program folder, so the settings file, the work
# files and games_mp.log belong beside the programs, with the medal pictures and the
# sample log. The build's own output folders carry the marker as well.
#
# System, `cpack -G DEB` (the install component "system", left out of a plain install):
# /usr/bin/gravmark-parser and /usr/bin/gravmark-batch, shared data in
# /usr/share/gravmark-parser/, the desktop entry, the icon and the manual page. Each user
# then works in their own data folder.
include(GNUInstallDirs)

set(portable_marker ${PROJECT_BINARY_DIR}/GravmarkParser.portable)
set(portable_marker_text
  "This folder is a portable Gravmark Parser: its programs keep their settings and work files here.\n")
file(WRITE ${portable_marker} ${portable_marker_text})
foreach(program GravmarkParser gravmark-batch)
  file(GENERATE OUTPUT $<TARGET_FILE_DIR:${program}>/GravmarkParser.portable CONTENT ${portable_marker_text})
endforeach()

# The output folder is made first: only Ninja makes it by itself.
set(sample_log ${PROJECT_BINARY_DIR}/sample/games_mp.log)
add_custom_command(OUTPUT ${sample_log}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/sample
  COMMAND gravmark-loggen --sample --out ${sample_log}
  DEPENDS gravmark-loggen
  COMMENT "Generating the sample log")
add_custom_target(gravmark_sample_log ALL DEPENDS ${sample_log})

file(GLOB medal_pictures ${PROJECT_SOURCE_DIR}/data/medals/*.png)

# The portable folder.
set(portable_dir gravmark-parser)
install(TARGETS GravmarkParser gravmark-batch RUNTIME DESTINATION ${portable_dir} COMPONENT portable)
install(FILES ${medal_pictures} ${sample_log} ${portable_marker} DESTINATION ${portable_dir} COMPONENT portable)

# The system layout, its manual page and the Debian package are Linux's: a Windows build is
# the portable folder only (tools/windows/build zips it).
if(WIN32)
  return()
endif()

# The system layout.
set(shared_dir ${CMAKE_INSTALL_DATADIR}/gravmark-parser)
install(PROGRAMS $<TARGET_FILE:GravmarkParser> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME gravmark-parser
  COMPONENT system EXCLUDE_FROM_ALL)
install(PROGRAMS $<TARGET_FILE:gravmark-batch> DESTINATION ${CMAKE_INSTALL_BINDIR}
  COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${medal_pictures} ${sample_log} DESTINATION ${shared_dir} COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/gravmark-parser.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/gravmark-parser.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT system EXCLUDE_FROM_ALL)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/gravmark-parser-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME gravmark-parser.png
    COMPONENT system EXCLUDE_FROM_ALL)
endforeach()

# Manual pages, made from each program's --help by help2man (so that they name every
# option), with the further sections of data/package/NAME.h2m, and shipped compressed as
# Debian's policy asks. help2man names the page after the file it runs, hence the link.
find_program(HELP2MAN help2man REQUIRED)
function(gravmark_manual_page program target summary)
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  set(sections ${PROJECT_SOURCE_DIR}/data/package/${program}.h2m)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory man
    COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:${target}> man/${program}
    COMMAND ${HELP2MAN} --no-info --section=1 --version-string=${PROJECT_VERSION} --name=${summary}
      --include=${sections} --output=${page} man/${program}
    COMMAND gzip -9nf ${page}
    DEPENDS ${target} ${sections}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    COMMENT "Making the manual page of ${program}"
    VERBATIM)
  add_custom_target(gravmark_manual_${target} ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT system EXCLUDE_FROM_ALL)
endfunction()
gravmark_manual_page(gravmark-parser GravmarkParser "make a clan statistics web page from a game server's log")
gravmark_manual_page(gravmark-batch gravmark-batch
  "make the clan statistics page from a game server's log, without a window")

# install(PROGRAMS) is not stripped with the targets, so the package strips its two
# programs itself, as Debian's own packaging does.
install(CODE "
  foreach(program gravmark-parser gravmark-batch)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()" COMPONENT system EXCLUDE_FROM_ALL)

include(cmake/package.cmake)
