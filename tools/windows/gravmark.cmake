# The program's cross build for win64: the compilers of mingw64.cmake, the third-party parts
# from GRAVMARK_WINDOWS_PREFIX (see third_party.sh), Debian's own Qt host tools of the
# same version, and Wine to run what was built (tests, the sample log's generator).
include(${CMAKE_CURRENT_LIST_DIR}/mingw64.cmake)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
# No Linux .pc file is read by mistake (the Windows parts are found as CMake packages).
set(ENV{PKG_CONFIG_LIBDIR} "${GRAVMARK_WINDOWS_PREFIX}/lib/pkgconfig")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run --prefix ${GRAVMARK_WINDOWS_PREFIX})
# GoogleTest's Windows build lies in a folder of its own (tools/windows/third_party.sh).
if(NOT GRAVMARK_WINDOWS_TEST_PREFIX AND DEFINED ENV{GRAVMARK_WINDOWS_TEST_PREFIX})
  set(GRAVMARK_WINDOWS_TEST_PREFIX "$ENV{GRAVMARK_WINDOWS_TEST_PREFIX}")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${GRAVMARK_WINDOWS_TEST_PREFIX})
