# Authenticode signing of a release, with osslsigncode. Off unless QUENDA_SIGN_PFX names a PKCS#12
# file; then the build signs quenda.exe and quenda.com once they are linked, packages the signed
# programs and signs the package (package/CMakeLists.txt). Without it the build is what it was.
#
#   QUENDA_SIGN_PFX            the PKCS#12 file: the code-signing certificate, its chain, the key
#   QUENDA_SIGN_PASSWORD_FILE  a file whose first line is the PKCS#12 file's password
#   QUENDA_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamping server (optional)
#
# Each comes from the CMake cache or, when the cache has none, from the environment variable of the
# same name, which is then kept in the cache: CMake re-runs itself during a build when a
# CMakeLists.txt changes, and that run must not drop the signing because the variable is gone.
#
# The signed programs go into a folder of their own (QUENDA_SIGNED_DIR); the bin folder keeps the
# programs as the linker made them. So the size limit (tests/size) measures each program without
# its signature, exactly; no file is rewritten by a second build step, which would make the next
# build sign it again; and the tests run the same programs whether or not the release is signed.
#
# The signing step itself is cmake/sign_file.cmake; quenda_sign() makes a build rule of it, and the
# signing test (tests/signing) runs it on copies.

set(QUENDA_SIGN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/sign_file.cmake)
# Shown by Windows as the signed program's name (in the elevation prompt, for one) and its link.
set(QUENDA_SIGN_DESCRIPTION "Quenda")
# The product page, the one the dialog's logo opens.
set(QUENDA_SIGN_URL "https://www.corvane.example/quenda/")
set(QUENDA_SIGNED_DIR ${CMAKE_BINARY_DIR}/signed)

set(QUENDA_SIGN_PFX "" CACHE FILEPATH "PKCS#12 file to sign the release with (empty: not signed)")
set(QUENDA_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File whose first line is QUENDA_SIGN_PFX's password")
set(QUENDA_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamping server for the signatures")
foreach(setting QUENDA_SIGN_PFX QUENDA_SIGN_PASSWORD_FILE QUENDA_SIGN_TIMESTAMP_URL)
  if("${${setting}}" STREQUAL "" AND NOT "$ENV{${setting}}" STREQUAL "")
    set_property(CACHE ${setting} PROPERTY VALUE "$ENV{${setting}}")
    set(${setting} "$ENV{${setting}}")
  endif()
endforeach()

# The cache is a plain text file: a password given to CMake would be stored there.
if(DEFINED CACHE{QUENDA_SIGN_PASSWORD})
  unset(QUENDA_SIGN_PASSWORD CACHE)
  message(FATAL_ERROR "QUENDA_SIGN_PASSWORD is not read, and is now removed from the cache: put "
                      "the password in a file and give its name as QUENDA_SIGN_PASSWORD_FILE")
endif()

if(QUENDA_SIGN_PFX)
  set(QUENDA_SIGNING ON)
  foreach(setting QUENDA_SIGN_PFX QUENDA_SIGN_PASSWORD_FILE)
    if(NOT IS_ABSOLUTE "${${setting}}" OR NOT EXISTS "${${setting}}")
      message(FATAL_ERROR "${setting} must name an existing file by its full path: "
                          "'${${setting}}'")
    endif()
  endforeach()
  find_program(OSSLSIGNCODE_EXECUTABLE osslsigncode REQUIRED)
  message(STATUS "The release is signed with ${QUENDA_SIGN_PFX}")
else()
  set(QUENDA_SIGNING OFF)
  if(QUENDA_SIGN_PASSWORD_FILE OR QUENDA_SIGN_TIMESTAMP_URL)
    message(WARNING "QUENDA_SIGN_PFX is not set: the release is not signed")
  endif()
endif()

# quenda_sign(<signed file> FROM <file> [DEPENDS <target or file>...])
# Adds the rule that writes <file>, signed, to <signed file>; DEPENDS names what makes <file>. The
# command line holds the password file's name, never the password.
function(quenda_sign signed)
  cmake_parse_arguments(ARG "" "FROM" "DEPENDS" ${ARGN})
  if(NOT QUENDA_SIGNING OR NOT ARG_FROM)
    message(FATAL_ERROR "quenda_sign(${signed}): signing is off, or FROM is missing")
  endif()
  get_filename_component(name ${signed} NAME)
  add_custom_command(OUTPUT ${signed}
    COMMAND ${CMAKE_COMMAND} -DOSSLSIGNCODE=${OSSLSIGNCODE_EXECUTABLE} -DPFX=${QUENDA_SIGN_PFX}
            -DPASSWORD_FILE=${QUENDA_SIGN_PASSWORD_FILE}
            -DTIMESTAMP_URL=${QUENDA_SIGN_TIMESTAMP_URL}
            -DDESCRIPTION=${QUENDA_SIGN_DESCRIPTION} -DURL=${QUENDA_SIGN_URL}
            -DINPUT=${ARG_FROM} -DOUTPUT=${signed} -P ${QUENDA_SIGN_SCRIPT}
    DEPENDS ${ARG_FROM} ${ARG_DEPENDS} ${QUENDA_SIGN_SCRIPT} ${QUENDA_SIGN_PFX}
            ${QUENDA_SIGN_PASSWORD_FILE}
    COMMENT "Signing ${name}"
    VERBATIM)
endfunction()
