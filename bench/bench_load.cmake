gravmark_add_benchmark(bench_load SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_load.cpp
  LIBS gravmark_ingest gravmark_loggen)
