gravmark_add_benchmark(bench_batch SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_batch.cpp
  LIBS gravmark_batch gravmark_loggen)
add_dependencies(bench_batch gravmark-batch)
target_compile_definitions(bench_batch PRIVATE GRAVMARK_BATCH_EXE="$<TARGET_FILE:gravmark-batch>")
