# The synthetic log generator: a library for benchmarks and the gravmark-loggen tool,
# which makes the sample log placed beside the program (cmake/install.cmake, ./run).
add_library(gravmark_loggen STATIC ${CMAKE_CURRENT_LIST_DIR}/log_generator.cpp)
target_include_directories(gravmark_loggen PUBLIC ${CMAKE_CURRENT_LIST_DIR})

add_executable(gravmark-loggen ${CMAKE_CURRENT_LIST_DIR}/loggen_main.cpp)
target_link_libraries(gravmark-loggen PRIVATE gravmark_loggen)
