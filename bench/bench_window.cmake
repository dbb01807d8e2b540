gravmark_add_benchmark(bench_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_window.cpp
  LIBS gravmark_ui gravmark_loggen)
