# SPDX-License-Identifier: MIT
# The Debian package: `cpack -G DEB` in a release build folder (tools/package does it all).
set(QUILLSTACK_HOMEPAGE "https://github.com/quillstack/quillstack")
set(QUILLSTACK_MAINTAINER "Quillstack maintainers <quillstack@users.noreply.github.com>")

set(CPACK_PACKAGE_NAME quillstack)
set(CPACK_PACKAGE_VENDOR "The Quillstack authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUILLSTACK_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL ${QUILLSTACK_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEBIAN_PACKAGE_NAME quillstack)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # quillstack_<version>-1_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILLSTACK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUILLSTACK_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clipboard history with a one-chord paste list")
# CPack indents the lines and turns the empty one into Debian's paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillstack keeps everything you copy on an X11 desktop - plain and rich
text, HTML, images, file lists and any other clipboard format - and pastes
any earlier copy with one global shortcut (Super+Shift+V by default): a
small list opens in the middle of the screen, the arrow keys choose, and
Return pastes into the window you were in, with the right keystroke for
terminals too.

It lives in the system tray, with a history window and a settings window,
keeps the clipboard filled when the application you copied from quits,
never records secrets marked by password managers, and keeps the history
in memory only unless you ask it to keep it across restarts.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Icons are drawn through Qt's SVG plugins, which nothing links to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# TIFF and WebP copies are read through Qt's extra image plugins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins")
# GNOME shows tray icons only through this extension.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
