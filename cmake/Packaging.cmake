# SPDX-License-Identifier: MIT
# Install rules for the program itself.
include(GNUInstallDirs)

# Folders the package creates are 0755 whatever the umask of the build; set before any install rule.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS brindlemoor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brindlemoor RENAME copyright)

