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

# Manual pages are shipped compressed, as Debian's policy asks.
set(batch_manual ${PROJECT_BINARY_DIR}/gravmark-batch.1.gz)
add_custom_command(OUTPUT ${batch_manual}
  COMMAND sh -c "gzip -9n <\"$1\" >\"$2\"" sh ${PROJECT_SOURCE_DIR}/data/desktop/gravmark-batch.1 ${batch_manual}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/desktop/gravmark-batch.1
  COMMENT "Compressing the manual page"
  VERBATIM)
add_custom_target(gravmark_manual ALL DEPENDS ${batch_manual})
install(FILES ${batch_manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT system EXCLUDE_FROM_ALL)

include(cmake/package.cmake)
