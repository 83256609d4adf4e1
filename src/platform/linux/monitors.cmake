# SPDX-License-Identifier: MIT
# Active window, idle time, screen lock, global clicks and desktop entries.
target_sources(brindlemoor_platform PRIVATE
    linux/DesktopEntryParser.cpp
    linux/DesktopEntryParser.h
    linux/DesktopEntryRegistry.cpp
    linux/DesktopEntryRegistry.h
    linux/ProcessInfo.cpp
    linux/ProcessInfo.h
)
