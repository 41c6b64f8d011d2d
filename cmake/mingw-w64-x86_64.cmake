# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 and runs the results under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# Debian ships GCC for MinGW-w64 in two thread models; everything here, programs and tests, is
# built with the win32 one. The posix model's runtime (libstdc++, libgcc) is built on winpthread,
# which a static link carries along: 26 KB of thread library in a single-threaded program. GCC
# 12's win32 model has no std::mutex and no std::condition_variable; the one piece of GoogleTest
# made of them is replaced in tests/googletest (see CMakeLists.txt).
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest starts every Windows test executable through Wine.
find_program(WINE_EXECUTABLE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXECUTABLE})
