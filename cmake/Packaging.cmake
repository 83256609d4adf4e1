# SPDX-License-Identifier: MIT
# Install rules for the program itself and the Debian package built from them with CPack.
include(GNUInstallDirs)

# Folders the package creates are 0755 whatever the umask of the build; set before any install rule.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS brindlemoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brindlemoor RENAME copyright)

set(BRINDLEMOOR_PACKAGE_MAINTAINER "The Brindlemoor developers <maintainers@users.noreply.c-seed-9bbc72f6.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindlemoor)
set(CPACK_PACKAGE_VENDOR "The Brindlemoor developers")
set(CPACK_PACKAGE_CONTACT "${BRINDLEMOOR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "notice how long you spend in the applications you choose")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A tray dot that counts the time spent in the applications you choose to watch,
with a daily limit for each and an optional limit for the whole day. It answers
with gentle cues (the dot turns red, an optional sound, a short full-screen
break, a popover of today's use, small always-on-top widgets) and never blocks
anything. Everything stays on the computer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps finds the libraries the binary links; what it loads or plays at run time
# is named here: Qt's X11 platform plugin, libcanberra's PulseAudio backend and the sound theme.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libcanberra-pulse, sound-theme-freedesktop")
# Qt's own texts (shortcuts, file and colour dialogs) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
