gravmark_add_benchmark(bench_names SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_names.cpp
  LIBS gravmark_names gravmark_ingest gravmark_loggen)
