# SPDX-License-Identifier: MIT
cmake_minimum_required(VERSION 3.25)
# Fails when a file of the core library includes a widget, xcb, Xlib or Wayland header: the core
# must build and run without a widget toolkit, an X server or a Wayland compositor.
#   cmake -DSOURCE_DIR=<src> -DWIDGETS_DIR=<QtWidgets include dir> -P check_core_includes.cmake
file(GLOB widget_headers RELATIVE "${WIDGETS_DIR}" "${WIDGETS_DIR}/*")
file(GLOB_RECURSE core_files
    "${SOURCE_DIR}/core/*" "${SOURCE_DIR}/keys/*" "${SOURCE_DIR}/history/*" "${SOURCE_DIR}/chord/*"
    "${SOURCE_DIR}/popup/*"
    "${SOURCE_DIR}/settings/*" "${SOURCE_DIR}/onboarding/*" "${SOURCE_DIR}/platform/qt/*"
    "${SOURCE_DIR}/platform/freedesktop/*")
file(GLOB platform_ports "${SOURCE_DIR}/platform/*.h" "${SOURCE_DIR}/platform/*.cpp")
file(GLOB_RECURSE platform_files "${SOURCE_DIR}/platform/*")
set(offences "")
# A realisation of a port knows the ports and the small vocabularies, never the logic above it.
foreach(path IN LISTS platform_files)
    file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"(settings|history|chord|popup|onboarding|ui|app)/")
    foreach(line IN LISTS includes)
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${path}")
        list(APPEND offences "${shown}: ${line}")
    endforeach()
endforeach()
foreach(path IN LISTS core_files platform_ports)
    file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" header "${line}")
        get_filename_component(name "${header}" NAME)
        if(header MATCHES "^(QtWidgets/|xcb/|X11/|wayland-)" OR name MATCHES "-client-protocol\\.h$"
           OR name IN_LIST widget_headers)
            file(RELATIVE_PATH shown "${SOURCE_DIR}" "${path}")
            list(APPEND offences "${shown}: ${header}")
        endif()
    endforeach()
endforeach()
if(offences)
    list(JOIN offences "\n  " text)
    message(FATAL_ERROR "core files include widget, X11 or Wayland headers, or platform files include upward:\n  ${text}")
endif()
list(LENGTH core_files checked)
message(STATUS "${checked} core files include no widget, X11 or Wayland header")
