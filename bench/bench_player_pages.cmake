gravmark_add_benchmark(bench_player_pages SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_player_pages.cpp
  LIBS gravmark_site gravmark_ingest gravmark_loggen Qt6::Core)
