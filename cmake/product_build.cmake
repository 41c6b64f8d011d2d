# The shipped programs built by a sub-build with another toolchain, into this build's bin folder.
#
# The posix-model MinGW build needs that model for GoogleTest, but its libstdc++ and libgcc bring
# winpthread into every program they link. quenda.exe is therefore configured and built a second
# time, by ${QUENDA_PRODUCT_TOOLCHAIN} (the win32 model), as a tree that holds nothing but the
# product (QUENDA_PRODUCT_ONLY, see cmake/lean_product.cmake). The window layer the end-to-end
# driver links stays here, built with this build's compiler.
#
# Linking this build's objects against the win32 model's libstdc++ instead would save the second
# compile, but the two models' headers differ in _GLIBCXX_HAS_GTHREADS (and gthr-default.h), so
# every object would carry inline code compiled for one runtime and linked against the other. That
# is sound only while no product source touches anything thread-related, and nothing would say so
# when one starts to; a separate tree keeps each program with the headers of its own runtime.
include(ExternalProject)

# The programs the sub-build makes, with their file names; each keeps its name as a target here.
set(QUENDA_PRODUCT_TARGETS quenda quenda_console)
set(product_outputs ${QUENDA_BIN_DIR}/quenda.exe ${QUENDA_BIN_DIR}/quenda.com)

if(CMAKE_GENERATOR MATCHES "Makefiles")
  # A recursive make shares this build's job slots (-j).
  set(product_build_command $(MAKE) ${QUENDA_PRODUCT_TARGETS})
else()
  set(product_build_command ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${QUENDA_PRODUCT_TARGETS})
endif()

ExternalProject_Add(quenda_product
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/product
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${QUENDA_PRODUCT_TOOLCHAIN}
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DQUENDA_PRODUCT_ONLY=ON
    -DQUENDA_BIN_DIR=${QUENDA_BIN_DIR}
    -DQUENDA_PRODUCT_LINK_MAP=${QUENDA_PRODUCT_LINK_MAP}
    -DQUENDA_CONSOLE_LINK_MAP=${QUENDA_CONSOLE_LINK_MAP}
  BUILD_COMMAND ${product_build_command}
  # The sub-build tracks its own sources; this build only has to ask it every time.
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${product_outputs} ${QUENDA_PRODUCT_LINK_MAP} ${QUENDA_CONSOLE_LINK_MAP}
  INSTALL_COMMAND "")

foreach(program ${QUENDA_PRODUCT_TARGETS})
  add_custom_target(${program})
  add_dependencies(${program} quenda_product)
endforeach()
