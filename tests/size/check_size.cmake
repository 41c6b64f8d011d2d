# Fails when PROGRAM is larger than LIMIT bytes, or when its link map (LINK_MAP, if given) shows an
# archive member of the thread library: a single-threaded program has no use for one, and one that
# got in by way of the C++ runtime brings 26 KB with it.
#   cmake -DPROGRAM=quenda.exe -DLIMIT=65536 [-DLINK_MAP=quenda.map] -P check_size.cmake
if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "${PROGRAM} does not exist; build it first")
endif()
file(SIZE "${PROGRAM}" size)
message(STATUS "${PROGRAM}: ${size} bytes (limit ${LIMIT})")
if(size GREATER LIMIT)
  math(EXPR over "${size} - ${LIMIT}")
  set(hint "")
  if(LINK_MAP)
    set(hint " What it links is in ${LINK_MAP}.")
  endif()
  message(FATAL_ERROR "${PROGRAM} is ${size} bytes, ${over} over the limit of ${LIMIT}.${hint}")
endif()

if(LINK_MAP)
  if(NOT EXISTS "${LINK_MAP}")
    message(FATAL_ERROR "${LINK_MAP} does not exist")
  endif()
  file(STRINGS "${LINK_MAP}" threads REGEX "lib(win)?pthread[^ /]*\\.a\\(" LIMIT_COUNT 1)
  if(threads)
    message(FATAL_ERROR "${PROGRAM} links the thread library:\n${threads}")
  endif()
endif()
