# SPDX-License-Identifier: MIT
# The first-launch welcome and the info popover.
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/InfoPopoverController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InfoPopoverController.h
    ${CMAKE_CURRENT_LIST_DIR}/InfoPopoverView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InfoPopoverView.h
    ${CMAKE_CURRENT_LIST_DIR}/WelcomeLogoView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WelcomeLogoView.h
    ${CMAKE_CURRENT_LIST_DIR}/WelcomePopoverController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WelcomePopoverController.h
    ${CMAKE_CURRENT_LIST_DIR}/WelcomeView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WelcomeView.h
)
