# How the shipped programs' code is compiled with MinGW-w64: every target in the folders added
# through quenda_add_product_directory, the libraries the tests link included. The tests, the
# benchmark and GoogleTest keep the defaults.
#
# - No exceptions and no RTTI. Nothing in the product recovers from a failed allocation or a
#   library precondition, so libstdc++'s throwing helpers end the process instead
#   (platform/no_exceptions_win32.cpp); without them neither the unwinder and personality
#   routine nor std::logic_error and friends, with the copy-on-write std::string they carry, are
#   linked. A product source that throws, catches, or uses typeid or dynamic_cast therefore fails
#   to compile. (The host build keeps exceptions: the headless platform ends a "process" by
#   throwing through the product's code. No Windows test throws through it.)
# - Link-time optimisation across the product's own libraries: one copy of each inline helper, the
#   handlers inlined into their single callers (about 10 KB less). A test that links one of these
#   libraries gets its code through the same link-time step.

# Adds the folder `dir` (as add_subdirectory does) with the product's compile settings.
function(quenda_add_product_directory dir)
  if(MINGW)
    string(APPEND CMAKE_CXX_FLAGS " -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables")
    set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
  endif()
  add_subdirectory(${dir})
endfunction()
