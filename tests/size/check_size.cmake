# Fails when PROGRAM is larger than LIMIT bytes, or when its link map (LINK_MAP, if given) shows an
# archive member the program must not carry:
#   the thread library         a single-threaded program has no use for it (26 KB);
#   libstdc++'s functexcept.o, stdexcept and copy-on-write string members
#                              the throwing helpers and the std::string-carrying exception types,
#                              which bring a second std::string implementation (about 50 KB).
# It also fails when the link map shows a pseudo-relocation: the programs replace the runtime's
# pass that would apply one with an empty one (platform/no_pseudo_relocations_win32.cpp).
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
  set(unwanted "lib(win)?pthread[^ /]*\\.a\\(|\\((functexcept|cow-[a-z_-]+|stdexcept)\\.o\\)")
  file(STRINGS "${LINK_MAP}" found REGEX "${unwanted}" LIMIT_COUNT 3)
  if(found)
    set(members "")
    foreach(line ${found})
      string(STRIP "${line}" line)
      string(APPEND members "\n  ${line}")
    endforeach()
    message(FATAL_ERROR "${PROGRAM} links what it must not:${members}")
  endif()
  file(STRINGS "${LINK_MAP}" relocations REGEX "__rt_psrelocs_size = " LIMIT_COUNT 1)
  if(NOT relocations MATCHES "^ *0x0+ ")
    message(FATAL_ERROR "${PROGRAM} has pseudo-relocations (${relocations}), which the empty "
                        "relocation pass of platform/no_pseudo_relocations_win32.cpp would not apply")
  endif()
endif()
