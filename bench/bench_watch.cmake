gravmark_add_benchmark(bench_watch SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_watch.cpp
  LIBS gravmark_batch gravmark_loggen)
