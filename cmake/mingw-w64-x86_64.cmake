# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 and runs the results under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# Debian ships GCC for MinGW-w64 in two thread models. This file selects the posix one, which the
# tests need: GoogleTest 1.12 uses std::mutex and std::condition_variable, and GCC 12's win32
# model has neither. Its runtime (libstdc++, libgcc) is built on winpthread, which a static link
# then carries along: 26 KB of thread library in a single-threaded program. So the posix build
# builds quenda.exe in a sub-build with the win32 model (mingw-w64-x86_64-win32.cmake, which sets
# QUENDA_MINGW_THREADS before including this file); see cmake/product_build.cmake.
if(NOT DEFINED QUENDA_MINGW_THREADS)
  set(QUENDA_MINGW_THREADS posix)
  set(QUENDA_PRODUCT_TOOLCHAIN ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-win32.cmake)
endif()
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-${QUENDA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-${QUENDA_MINGW_THREADS})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest starts every Windows test executable through Wine.
find_program(WINE_EXECUTABLE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXECUTABLE})
