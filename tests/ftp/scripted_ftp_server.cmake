# The scripted loopback server, shared with the window and batch tests and the FTP benchmark
# (which includes this file itself when the tests are not built).
add_library(gravmark_scripted_ftp_server STATIC ${CMAKE_CURRENT_LIST_DIR}/scripted_ftp_server.cpp)
target_include_directories(gravmark_scripted_ftp_server PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(gravmark_scripted_ftp_server PUBLIC Qt6::Network)
