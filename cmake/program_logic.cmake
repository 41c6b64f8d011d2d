# Adds the portable logic of one program as the static library `name` made of the given sources of
# the current folder, on top of the shared core; on Windows the folder's win32/ then makes the
# program of it.
function(quenda_add_program_logic name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC quenda_core PRIVATE quenda_warnings)
  if(WIN32)
    add_subdirectory(win32)
  endif()
endfunction()
