# Signs one file with Authenticode (osslsigncode, SHA-256): quenda.exe, quenda.com or quenda.msi.
# The build runs this script for every file it signs (cmake/signing.cmake) and the signing test
# runs it on copies, so what the test proves is what the build does.
#
#   cmake -DOSSLSIGNCODE=/usr/bin/osslsigncode -DPFX=release.pfx -DPASSWORD_FILE=release.pass
#         -DDESCRIPTION=Quenda -DURL=https://... [-DTIMESTAMP_URL=http://...]
#         -DINPUT=bin/quenda.exe -DOUTPUT=signed/quenda.exe -P sign_file.cmake
#
# The password stays in its file. osslsigncode reads it from there (-readpass), so it is on no
# command line (which every user of the machine can list), and this script neither reads nor
# prints it: a verbose build shows the file's name only. osslsigncode's own messages name the
# files, never the password.
foreach(setting OSSLSIGNCODE PFX PASSWORD_FILE DESCRIPTION URL INPUT OUTPUT)
  if("${${setting}}" STREQUAL "")
    message(FATAL_ERROR "sign_file.cmake: ${setting} is not given")
  endif()
endforeach()

set(extra "")
if(TIMESTAMP_URL)
  # RFC 3161: the signature stays valid after the certificate expires.
  list(APPEND extra -ts ${TIMESTAMP_URL})
endif()
if(INPUT MATCHES "\\.[mM][sS][iI]$")
  # The package's signature then covers its metadata too (the streams' names and dates), not only
  # what its streams hold.
  list(APPEND extra -add-msi-dse)
endif()

# Written beside the result and renamed when complete: a failed signing leaves no file behind that
# a later build step would take for signed.
set(partial "${OUTPUT}.partial")
file(REMOVE "${partial}")
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(
  COMMAND ${OSSLSIGNCODE} sign -pkcs12 ${PFX} -readpass ${PASSWORD_FILE} -h sha256
          -n ${DESCRIPTION} -i ${URL} ${extra} -in ${INPUT} -out ${partial}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS "${partial}")
  file(REMOVE "${partial}")
  message(FATAL_ERROR "Signing ${INPUT} failed:\n${output}")
endif()
file(RENAME "${partial}" "${OUTPUT}")
