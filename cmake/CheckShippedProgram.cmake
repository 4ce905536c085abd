# Runs after a shipped program is linked (see nimbrel_shipped_program): the
# program must need no DLL beyond those every Windows has, and must stay
# within its size limit, so the 32- and 64-bit builds are held to the same
# rules whether or not their tests can run here.
#
# cmake -DPROGRAM=file.exe -DOBJDUMP=objdump [-DSIZE_LIMIT=bytes] [-DLARGE_ADDRESS_AWARE=ON]
#       -P CheckShippedProgram.cmake
cmake_minimum_required(VERSION 3.25)
set(system_dlls kernel32 user32 gdi32 comctl32 comdlg32 advapi32 shell32 ole32 oleaut32 shlwapi version msvcrt)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
foreach(import IN LISTS imports)
  string(REGEX REPLACE "^DLL Name: " "" file "${import}")
  string(TOLOWER "${file}" dll)
  string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${PROGRAM} needs ${file}, which Windows does not have: link it statically")
  endif()
endforeach()

# The header's characteristics, one per line ("large address aware").
if(LARGE_ADDRESS_AWARE AND NOT dump MATCHES "\n\tlarge address aware\n")
  message(FATAL_ERROR "${PROGRAM} is not large address aware: link it with -Wl,--large-address-aware")
endif()

file(SIZE ${PROGRAM} size)
if(SIZE_LIMIT AND size GREATER SIZE_LIMIT)
  message(FATAL_ERROR "${PROGRAM} is ${size} bytes, more than its limit of ${SIZE_LIMIT}")
endif()
