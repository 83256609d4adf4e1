# SPDX-License-Identifier: MIT
# The tray icon: our own StatusNotifierItem, else the XEmbed tray through QSystemTrayIcon.
target_sources(brindlemoor_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LinuxTrayIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinuxTrayIcon.h
    ${CMAKE_CURRENT_LIST_DIR}/StatusNotifierItem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatusNotifierItem.h
    ${CMAKE_CURRENT_LIST_DIR}/TrayClickInput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrayClickInput.h
    ${CMAKE_CURRENT_LIST_DIR}/XEmbedTrayIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XEmbedTrayIcon.h
)
target_link_libraries(brindlemoor_platform PUBLIC Qt6::DBus Qt6::Gui PRIVATE Qt6::Widgets)
