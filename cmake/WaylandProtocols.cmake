# SPDX-License-Identifier: MIT
# Wayland protocol clients, generated at build time from the protocol descriptions Debian ships.
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
find_package(PlasmaWaylandProtocols REQUIRED)

# brindlemoor_wayland_protocol(TARGET NAME XML): TARGET's files include
# <protocols/NAME-client-protocol.h>, and it links the protocol's code.
function(brindlemoor_wayland_protocol target name xml)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/wayland)
    set(header ${generated}/protocols/${name}-client-protocol.h)
    set(code ${generated}/${name}-protocol.c)
    add_custom_command(OUTPUT ${header} ${code}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/protocols
        COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header}
        COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
        DEPENDS ${xml}
        VERBATIM)
    target_sources(${target} PRIVATE ${header} ${code})
    # The generated inline functions use C casts.
    target_include_directories(${target} SYSTEM PRIVATE ${generated})
    target_link_libraries(${target} PRIVATE PkgConfig::WAYLAND_CLIENT)
endfunction()
