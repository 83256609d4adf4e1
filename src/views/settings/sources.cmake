# SPDX-License-Identifier: MIT
# The settings popover, the monitored-apps table and the application chooser.
target_sources(brindlemoor_views PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AppIconProvider.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppIconProvider.h
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationChooser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationChooser.h
    ${CMAKE_CURRENT_LIST_DIR}/Divider.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Divider.h
    ${CMAKE_CURRENT_LIST_DIR}/MinutesField.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MinutesField.h
    ${CMAKE_CURRENT_LIST_DIR}/MinutesFormatter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MinutesFormatter.h
    ${CMAKE_CURRENT_LIST_DIR}/MonitoredAppCell.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MonitoredAppCell.h
    ${CMAKE_CURRENT_LIST_DIR}/MonitoredAppsTableView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MonitoredAppsTableView.h
    ${CMAKE_CURRENT_LIST_DIR}/PreferencesView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PreferencesView.h
    ${CMAKE_CURRENT_LIST_DIR}/SettingsPopoverController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsPopoverController.h
    ${CMAKE_CURRENT_LIST_DIR}/StepperCell.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StepperCell.h
    ${CMAKE_CURRENT_LIST_DIR}/SymbolButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SymbolButton.h
    ${CMAKE_CURRENT_LIST_DIR}/TableFade.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TableFade.h
)
