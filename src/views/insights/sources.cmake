# SPDX-License-Identifier: MIT
# The reflection panel of the menu popover.
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ReflectionCard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReflectionCard.h
    ${CMAKE_CURRENT_LIST_DIR}/ReflectionHeader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReflectionHeader.h
    ${CMAKE_CURRENT_LIST_DIR}/ReflectionPanelRow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReflectionPanelRow.h
)
