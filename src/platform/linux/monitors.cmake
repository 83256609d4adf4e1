# SPDX-License-Identifier: MIT
# The kind of session; active window, idle time, screen lock, global clicks, desktop entries and the
# window system; GNOME Shell's extension.
pkg_check_modules(XCB_MONITORS REQUIRED IMPORTED_TARGET xcb xcb-icccm xcb-res xcb-screensaver xcb-xinput)
target_sources(brindlemoor_platform PRIVATE
    linux/DBusLockSignalSource.cpp
    linux/DBusLockSignalSource.h
    linux/DesktopEntryParser.cpp
    linux/DesktopEntryParser.h
    linux/DesktopEntryRegistry.cpp
    linux/DesktopEntryRegistry.h
    linux/GnomeShellActiveAppSource.cpp
    linux/GnomeShellActiveAppSource.h
    linux/GnomeShellExtension.cpp
    linux/GnomeShellExtension.h
    linux/IdleSourceChooser.cpp
    linux/IdleSourceChooser.h
    linux/LinuxActivitySources.cpp
    linux/LinuxActivitySources.h
    linux/MutterIdleSource.cpp
    linux/MutterIdleSource.h
    linux/ProcessInfo.cpp
    linux/ProcessInfo.h
    linux/SessionKind.cpp
    linux/SessionKind.h
    linux/X11ActiveAppSource.cpp
    linux/X11ActiveAppSource.h
    linux/X11ScreenSaverIdleSource.cpp
    linux/X11ScreenSaverIdleSource.h
    linux/XInput2ClickSource.cpp
    linux/XInput2ClickSource.h
    linux/XcbConnection.cpp
    linux/XcbConnection.h
    linux/X11WindowSystem.cpp
    linux/X11WindowSystem.h
)
# The window system works on Qt's own windows and connection.
target_link_libraries(brindlemoor_platform PUBLIC Qt6::DBus PRIVATE Qt6::Gui PkgConfig::XCB_MONITORS)
