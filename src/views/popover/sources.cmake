# SPDX-License-Identifier: MIT
# The usage popover: its content, the usage rows and the daily bar.
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AppUsageRowView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppUsageRowView.h
    ${CMAKE_CURRENT_LIST_DIR}/FennProgressBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FennProgressBar.h
    ${CMAKE_CURRENT_LIST_DIR}/MenuCardView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuCardView.h
    ${CMAKE_CURRENT_LIST_DIR}/MenuContext.h
    ${CMAKE_CURRENT_LIST_DIR}/MenuRootView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuRootView.h
    ${CMAKE_CURRENT_LIST_DIR}/QuitRow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QuitRow.h
    ${CMAKE_CURRENT_LIST_DIR}/UsageList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UsageList.h
)
