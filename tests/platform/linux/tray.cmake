# SPDX-License-Identifier: MIT
# The tray icon's StatusNotifierItem against a stand-in watcher on a private bus.
brindlemoor_add_test(status_notifier_item_test
    SOURCES
        linux/StatusNotifierItemTest.cpp
        linux/ScriptedBusService.cpp
        linux/ScriptedBusService.h
        linux/StandInWatcher.h
    LIBS brindlemoor_platform brindlemoor_desktop_session
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The GNOME Shell extension's side of the program, against stand-ins for the shell and the extension.
brindlemoor_add_test(gnome_shell_extension_test
    SOURCES
        linux/GnomeShellExtensionTest.cpp
        linux/ScriptedBusService.cpp
        linux/ScriptedBusService.h
    LIBS brindlemoor_platform brindlemoor_desktop_session brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
