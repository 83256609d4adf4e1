# SPDX-License-Identifier: MIT
# The floating widgets: always-on-top cards for one application or the daily total.
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CardActionButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CardActionButton.h
    ${CMAKE_CURRENT_LIST_DIR}/DailyFloatingWidgetView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DailyFloatingWidgetView.h
    ${CMAKE_CURRENT_LIST_DIR}/FloatingCardView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FloatingCardView.h
    ${CMAKE_CURRENT_LIST_DIR}/FloatingWidgetContext.h
    ${CMAKE_CURRENT_LIST_DIR}/FloatingWidgetManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FloatingWidgetManager.h
    ${CMAKE_CURRENT_LIST_DIR}/FloatingWidgetPanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FloatingWidgetPanel.h
    ${CMAKE_CURRENT_LIST_DIR}/FloatingWidgetView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FloatingWidgetView.h
    ${CMAKE_CURRENT_LIST_DIR}/WidgetCloseButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WidgetCloseButton.h
)
