# SPDX-License-Identifier: MIT
# The tray image, the break overlay and their helpers.
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/BreakOverlayController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BreakOverlayController.h
    ${CMAKE_CURRENT_LIST_DIR}/BreakOverlayView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BreakOverlayView.h
    ${CMAKE_CURRENT_LIST_DIR}/OverlayBackdrop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OverlayBackdrop.h
    ${CMAKE_CURRENT_LIST_DIR}/OverlayButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OverlayButton.h
    ${CMAKE_CURRENT_LIST_DIR}/OverlayEasing.h
    ${CMAKE_CURRENT_LIST_DIR}/StatusDot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatusDot.h
    ${CMAKE_CURRENT_LIST_DIR}/StatusIconEngine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatusIconEngine.h
    ${CMAKE_CURRENT_LIST_DIR}/TrayIndicator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrayIndicator.h
)
