gravmark_add_benchmark(bench_ftp
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_ftp.cpp ${PROJECT_SOURCE_DIR}/tests/ftp/scripted_ftp_server.cpp
  LIBS gravmark_ftp)
target_include_directories(bench_ftp PRIVATE ${PROJECT_SOURCE_DIR}/tests/ftp)
