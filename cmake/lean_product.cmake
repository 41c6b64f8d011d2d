# Compile settings of a tree that builds nothing but the shipped programs (QUENDA_PRODUCT_ONLY):
# no test links this code, so it can leave out what only the tests need.
#
# - No exceptions and no RTTI. Nothing in the product recovers from a failed allocation or a
#   library precondition, so libstdc++'s throwing helpers end the process instead
#   (platform/no_exceptions_win32.cpp); without them neither the unwinder and personality
#   routine nor std::logic_error and friends, with the copy-on-write std::string they carry, are
#   linked. (The tests keep exceptions: the headless platform ends a "process" by throwing.)
# - Link-time optimisation across the product's own libraries: one copy of each inline helper, the
#   handlers inlined into their single callers (about 10 KB less).
if(NOT MINGW)
  return()
endif()

add_compile_options(-fno-exceptions -fno-rtti)
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)

