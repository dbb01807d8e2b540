gravmark_add_benchmark(bench_stats SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_stats.cpp
  LIBS gravmark_report gravmark_ingest gravmark_loggen)
