# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Desktop integration and the Debian package.

install(FILES ${PROJECT_SOURCE_DIR}/data/org.example.cindral.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/org.example.cindral.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icon at the sizes desktop menus and launchers ask for; the window's own 32x32 is installed
# beside the windows' code.
foreach(size 48 64 128)
  install(FILES ${PROJECT_SOURCE_DIR}/src/ui/images/cindral-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME cindral.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cindral)
set(CPACK_PACKAGE_VENDOR "The Cindral developers")
set(CPACK_PACKAGE_CONTACT "The Cindral developers <cindral@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Cindral shifts every byte of a text file by an amount derived from a password and writes\n\
the result back over the same file. It hides text from a casual reader; it is not\n\
encryption to trust with secrets. Includes the command-line companion cindral-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# dpkg-shlibdeps finds the libraries the programs link; Debian's libqt6gui6 carries the X11
# platform plugin the window needs as well.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces the windows are laid out for; without them Qt falls back to wider ones that do not
# fit. dpkg-shlibdeps adds the libraries to these.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-comic-neue")
include(CPack)
