# SPDX-License-Identifier: MIT
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleContent.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleContent.h
    ${CMAKE_CURRENT_LIST_DIR}/AccessiblePart.h
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AccessibleTable.h
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
    ${CMAKE_CURRENT_LIST_DIR}/ExtensionNotice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExtensionNotice.h
    ${CMAKE_CURRENT_LIST_DIR}/FennDot.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FennDot.h
    ${CMAKE_CURRENT_LIST_DIR}/FennSegmentedPicker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FennSegmentedPicker.h
    ${CMAKE_CURRENT_LIST_DIR}/FennSwitch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FennSwitch.h
    ${CMAKE_CURRENT_LIST_DIR}/FocusRing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FocusRing.h
    ${CMAKE_CURRENT_LIST_DIR}/LinkButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LinkButton.h
    ${CMAKE_CURRENT_LIST_DIR}/ProminentButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProminentButton.h
    ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Fonts.h
    ${CMAKE_CURRENT_LIST_DIR}/HeadingLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HeadingLabel.h
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
    ${CMAKE_CURRENT_LIST_DIR}/TabularDigits.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TabularDigits.h
    ${CMAKE_CURRENT_LIST_DIR}/Translations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Translations.h
    ${CMAKE_CURRENT_LIST_DIR}/WindowRecipes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowRecipes.h
    ${CMAKE_CURRENT_LIST_DIR}/WrappedText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WrappedText.h
)
# Light or dark comes from the desktop's settings portal.
target_link_libraries(brindlemoor_views PRIVATE Qt6::DBus)
# Where the program looks for its translations when none is beside the binary.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/Translations.cpp APPEND PROPERTY COMPILE_DEFINITIONS
    BRINDLEMOOR_BUILD_TRANSLATIONS_DIR="${BRINDLEMOOR_TRANSLATIONS_BUILD_DIR}"
    BRINDLEMOOR_INSTALL_TRANSLATIONS_DIR="${CMAKE_INSTALL_PREFIX}/${BRINDLEMOOR_TRANSLATIONS_INSTALL_DIR}")
add_dependencies(brindlemoor_views brindlemoor_translations)
