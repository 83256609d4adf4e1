# SPDX-License-Identifier: MIT
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Appearance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Appearance.h
    ${CMAKE_CURRENT_LIST_DIR}/WindowRecipes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowRecipes.h
)
