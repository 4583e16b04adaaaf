# The programs that ship on the medium are built with MinGW-w64's win32 thread model: its runtime asks
# the system only for functions that Windows 98/Me and NT 4.0 have, while the posix model's runtime
# (winpthreads) imports GetTickCount64, vectored exception handlers and other later functions, which
# would keep the program from loading on the older targets.
include(${CMAKE_CURRENT_LIST_DIR}/mingw32-toolchain.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
