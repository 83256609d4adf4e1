# SPDX-License-Identifier: MIT
# Desktop entries, the sources of activity and the window system: logic tests without a display, and tests
# against a real Xvfb, openbox and private bus that the harness starts itself.
add_executable(brindlemoor_test_window linux/TestWindow.cpp)
target_link_libraries(brindlemoor_test_window PRIVATE PkgConfig::XCB_SESSION)

brindlemoor_add_test(desktop_entry_test
    SOURCES
        linux/DesktopEntryParserTest.cpp
        linux/DesktopEntryRegistryTest.cpp
    LIBS brindlemoor_platform brindlemoor_desktop_session brindlemoor_fakes
    ENVIRONMENT "LC_ALL=C.UTF-8")

brindlemoor_add_test(toplevel_tracker_test
    SOURCES linux/ToplevelTrackerTest.cpp
    LIBS brindlemoor_platform)

brindlemoor_add_test(unavailable_sources_test
    SOURCES linux/UnavailableSourcesTest.cpp
    LIBS brindlemoor_platform brindlemoor_fakes)

brindlemoor_add_test(activity_sources_display_test
    SOURCES
        linux/ActiveAppSourceTest.cpp
        linux/InputSourcesTest.cpp
        linux/LockSignalSourceTest.cpp
        linux/ScriptedBusService.cpp
        linux/ScriptedBusService.h
        linux/WindowSystemTest.cpp
    LIBS brindlemoor_platform brindlemoor_desktop_session brindlemoor_fakes Qt6::Gui PkgConfig::XCB_SESSION
    LABELS display
    TIMEOUT 90)
target_compile_definitions(activity_sources_display_test PRIVATE
    BRINDLEMOOR_TEST_WINDOW="$<TARGET_FILE:brindlemoor_test_window>")
add_dependencies(activity_sources_display_test brindlemoor_test_window)

# The KWin script's loading and its callers, against a stand-in KWin on a private bus.
brindlemoor_add_test(kwin_script_test
    SOURCES linux/KWinScriptTest.cpp linux/ScriptedBusService.cpp linux/ScriptedBusService.h
    LIBS brindlemoor_platform brindlemoor_desktop_session Qt6::Test)
