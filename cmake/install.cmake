# `cmake --install BUILD --prefix DIR` makes DIR/gravmark-parser/, one folder that runs as
# it is: both programs take the folder of their executable as the program folder, so the
# settings file, the work files and games_mp.log belong beside them. The medal pictures
# are there to be copied beside the saved page; the sample log lets a first run show a page.
set(GRAVMARK_INSTALL_DIR gravmark-parser)

install(TARGETS GravmarkParser gravmark-batch RUNTIME DESTINATION ${GRAVMARK_INSTALL_DIR})

file(GLOB medal_pictures ${PROJECT_SOURCE_DIR}/data/medals/*.png)
install(FILES ${medal_pictures} DESTINATION ${GRAVMARK_INSTALL_DIR})

# The output folder is made first: only Ninja makes it by itself.
set(sample_log ${PROJECT_BINARY_DIR}/sample/games_mp.log)
add_custom_command(OUTPUT ${sample_log}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/sample
  COMMAND gravmark-loggen --lines 5000 --seed 1 --out ${sample_log}
  DEPENDS gravmark-loggen
  COMMENT "Generating the sample log")
add_custom_target(gravmark_sample_log ALL DEPENDS ${sample_log})
install(FILES ${sample_log} DESTINATION ${GRAVMARK_INSTALL_DIR})
