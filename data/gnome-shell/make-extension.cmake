# SPDX-License-Identifier: MIT
# Writes one extension folder from the shared bridge body:
#   cmake -DFORM=legacy|module -DUUID=... -DVERSIONS=43,44 -DSRC=... -DICONS=... -DOUT=... -P make-extension.cmake
file(READ "${SRC}/io.github.quillstack.ShellBridge1.xml" INTERFACE_XML)
file(READ "${SRC}/bridge.js" BRIDGE)
if(FORM STREQUAL "module")
  # A module has no `var` hoisting across the loader; the class is an ordinary binding.
  string(REPLACE "var QuillstackBridge = " "const QuillstackBridge = " BRIDGE "${BRIDGE}")
endif()
configure_file("${SRC}/extension-${FORM}.js.in" "${OUT}/extension.js" @ONLY)
string(REPLACE "," "\", \"" VERSION_LIST "${VERSIONS}")
file(WRITE "${OUT}/metadata.json" "{
  \"uuid\": \"${UUID}\",
  \"name\": \"Quillstack integration\",
  \"description\": \"Lets Quillstack, the clipboard history, record copies, take its shortcut and paste on GNOME on Wayland. It keeps no history itself.\",
  \"shell-version\": [\"${VERSION_LIST}\"],
  \"url\": \"https://github.com/quillstack/quillstack\"
}
")
# The indicator's icons: the tray icon's own, which the Shell recolours for its panel.
file(COPY "${ICONS}/quillstack-symbolic.svg" "${ICONS}/quillstack-paused-symbolic.svg"
    DESTINATION "${OUT}/icons")
file(TOUCH "${OUT}/extension.js")
