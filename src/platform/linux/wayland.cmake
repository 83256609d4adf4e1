# SPDX-License-Identifier: MIT
# The program's own Wayland connection and the protocol clients on it.
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
# Debian ships the wlroots protocols only inside a Rust crate's source: librust-wayland-protocols-wlr-dev
# since Debian 13, librust-wayland-protocols-dev in Debian 12.
file(GLOB wlr_protocol_dirs /usr/share/cargo/registry/wayland-protocols-wlr-*/wlr-protocols/unstable
    /usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable)
find_file(WLR_FOREIGN_TOPLEVEL_XML wlr-foreign-toplevel-management-unstable-v1.xml
    HINTS ${BRINDLEMOOR_WLR_PROTOCOLS_DIR} ${wlr_protocol_dirs} NO_DEFAULT_PATH REQUIRED)

brindlemoor_wayland_protocol(brindlemoor_platform ext-idle-notify-v1
    ${WAYLAND_PROTOCOLS_DIR}/staging/ext-idle-notify/ext-idle-notify-v1.xml)
brindlemoor_wayland_protocol(brindlemoor_platform kde-idle ${PLASMA_WAYLAND_PROTOCOLS_DIR}/idle.xml)
brindlemoor_wayland_protocol(brindlemoor_platform wlr-foreign-toplevel-management-unstable-v1
    ${WLR_FOREIGN_TOPLEVEL_XML})

target_sources(brindlemoor_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/WaylandConnection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaylandConnection.h
    ${CMAKE_CURRENT_LIST_DIR}/WaylandIdleSource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaylandIdleSource.h
    ${CMAKE_CURRENT_LIST_DIR}/ToplevelTracker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToplevelTracker.h
    ${CMAKE_CURRENT_LIST_DIR}/WlrootsActiveAppSource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WlrootsActiveAppSource.h
)
