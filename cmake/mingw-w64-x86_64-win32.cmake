# The shipped programs' toolchain: MinGW-w64 with the win32 thread model, whose libstdc++ and libgcc
# need no thread library. Otherwise the same as mingw-w64-x86_64.cmake.
set(QUENDA_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
