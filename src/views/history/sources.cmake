# SPDX-License-Identifier: MIT
# The usage history: its window, the chart of past days and weeks, and the export.
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/HistoryChart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HistoryChart.h
    ${CMAKE_CURRENT_LIST_DIR}/HistoryTexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HistoryTexts.h
    ${CMAKE_CURRENT_LIST_DIR}/HistoryView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HistoryView.h
    ${CMAKE_CURRENT_LIST_DIR}/HistoryWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HistoryWindow.h
)
