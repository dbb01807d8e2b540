gravmark_add_benchmark(bench_sftp SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_sftp.cpp
  LIBS gravmark_sftp gravmark_ssh_test_servers)
