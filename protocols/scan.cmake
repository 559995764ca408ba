# SPDX-License-Identifier: MIT
# Runs wayland-scanner on one protocol file:
#   cmake -DSCANNER=... -DMODE=client-header|private-code -DXML=... -DOUT=... -P scan.cmake
# The plasma-window-management.xml of Plasma 6.3 (Debian 13) numbers a few "since" out of
# order, which the scanner reports on every build; that note about a file we do not own is
# dropped, anything else it says is passed on, and a failure stays a failure.
execute_process(COMMAND "${SCANNER}" "${MODE}" "${XML}" "${OUT}"
    RESULT_VARIABLE result ERROR_VARIABLE errors)
string(REGEX REPLACE "[^\n]*: warning: since version not increasing\n" "" errors "${errors}")
string(STRIP "${errors}" errors)
if(NOT errors STREQUAL "")
    message(WARNING "${errors}")
endif()
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wayland-scanner failed on ${XML}")
endif()
