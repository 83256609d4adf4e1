# SPDX-License-Identifier: MIT
# The tray image, the break overlay and their helpers.
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/StatusDot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatusDot.h
    ${CMAKE_CURRENT_LIST_DIR}/TrayIndicator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrayIndicator.h
)
