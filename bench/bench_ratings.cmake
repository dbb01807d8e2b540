gravmark_add_benchmark(bench_ratings SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_ratings.cpp
  LIBS gravmark_stats gravmark_ingest gravmark_loggen)
