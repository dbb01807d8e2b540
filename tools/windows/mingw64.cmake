# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread).
# GRAVMARK_WINDOWS_PREFIX is the folder the third-party parts were installed into
# (tools/windows/build passes it; try_compile sees it through the environment).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT GRAVMARK_WINDOWS_PREFIX AND DEFINED ENV{GRAVMARK_WINDOWS_PREFIX})
  set(GRAVMARK_WINDOWS_PREFIX "$ENV{GRAVMARK_WINDOWS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${GRAVMARK_WINDOWS_PREFIX})
# Programs (moc, rcc, the host's tools) come from the build machine; libraries, headers and
# CMake packages only from the Windows folders, so that no Linux library is linked by mistake.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
