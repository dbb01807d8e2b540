gravmark_add_benchmark(bench_parse SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_parse.cpp
  LIBS gravmark_ingest gravmark_loggen)
