# SPDX-License-Identifier: MIT
# The program's own Wayland connection and the protocol clients on it: code generated at build time
# from the protocol descriptions Debian ships.
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_package(PlasmaWaylandProtocols REQUIRED)
# Debian ships the wlroots protocols only inside a Rust crate's source: librust-wayland-protocols-wlr-dev
# since Debian 13, librust-wayland-protocols-dev in Debian 12.
file(GLOB wlr_protocol_dirs /usr/share/cargo/registry/wayland-protocols-wlr-*/wlr-protocols/unstable
    /usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable)
find_file(WLR_FOREIGN_TOPLEVEL_XML wlr-foreign-toplevel-management-unstable-v1.xml
    HINTS ${BRINDLEMOOR_WLR_PROTOCOLS_DIR} ${wlr_protocol_dirs} NO_DEFAULT_PATH REQUIRED)

set(wayland_generated ${CMAKE_CURRENT_BINARY_DIR}/wayland)
file(MAKE_DIRECTORY ${wayland_generated}/protocols)
foreach(pair
        "ext-idle-notify-v1|${WAYLAND_PROTOCOLS_DIR}/staging/ext-idle-notify/ext-idle-notify-v1.xml"
        "kde-idle|${PLASMA_WAYLAND_PROTOCOLS_DIR}/idle.xml"
        "wlr-foreign-toplevel-management-unstable-v1|${WLR_FOREIGN_TOPLEVEL_XML}")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 xml)
    set(header ${wayland_generated}/protocols/${name}-client-protocol.h)
    set(code ${wayland_generated}/${name}-protocol.c)
    add_custom_command(OUTPUT ${header} ${code}
        COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header}
        COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
        DEPENDS ${xml}
        VERBATIM)
    target_sources(brindlemoor_platform PRIVATE ${header} ${code})
endforeach()
# The generated inline functions use C casts.
target_include_directories(brindlemoor_platform SYSTEM PRIVATE ${wayland_generated})

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
target_link_libraries(brindlemoor_platform PRIVATE PkgConfig::WAYLAND_CLIENT)
