# SPDX-License-Identifier: MIT
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Appearance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Appearance.h
    ${CMAKE_CURRENT_LIST_DIR}/ViewsLogging.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewsLogging.h
    ${CMAKE_CURRENT_LIST_DIR}/Blur.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Blur.h
    ${CMAKE_CURRENT_LIST_DIR}/ColorWell.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ColorWell.h
    ${CMAKE_CURRENT_LIST_DIR}/DragOutGesture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DragOutGesture.h
    ${CMAKE_CURRENT_LIST_DIR}/DragToMove.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DragToMove.h
    ${CMAKE_CURRENT_LIST_DIR}/FennDot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FennDot.h
    ${CMAKE_CURRENT_LIST_DIR}/FennSegmentedPicker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FennSegmentedPicker.h
    ${CMAKE_CURRENT_LIST_DIR}/FennSwitchStyle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FennSwitchStyle.h
    ${CMAKE_CURRENT_LIST_DIR}/FocusRing.h
    ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Fonts.h
    ${CMAKE_CURRENT_LIST_DIR}/HoverTracker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HoverTracker.h
    ${CMAKE_CURRENT_LIST_DIR}/NamedColors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NamedColors.h
    ${CMAKE_CURRENT_LIST_DIR}/PopoverWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PopoverWindow.h
    ${CMAKE_CURRENT_LIST_DIR}/PortalSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PortalSettings.h
    ${CMAKE_CURRENT_LIST_DIR}/ProgressCard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgressCard.h
    ${CMAKE_CURRENT_LIST_DIR}/ProgressFillAnimation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgressFillAnimation.h
    ${CMAKE_CURRENT_LIST_DIR}/Spring.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Spring.h
    ${CMAKE_CURRENT_LIST_DIR}/Stepper.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Stepper.h
    ${CMAKE_CURRENT_LIST_DIR}/Symbol.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Symbol.h
    ${CMAKE_CURRENT_LIST_DIR}/SymbolPainter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SymbolPainter.h
    ${CMAKE_CURRENT_LIST_DIR}/WindowRecipes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowRecipes.h
)
# Light or dark comes from the desktop's settings portal.
target_link_libraries(brindlemoor_views PRIVATE Qt6::DBus)
