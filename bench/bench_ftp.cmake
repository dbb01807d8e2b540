gravmark_add_benchmark(bench_ftp SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_ftp.cpp
  LIBS gravmark_transport gravmark_scripted_ftp_server)
