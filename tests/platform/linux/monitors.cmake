# SPDX-License-Identifier: MIT
# Desktop entries and the sources of activity: logic tests without a display, and tests
# against a real Xvfb, openbox and private bus that the harness starts itself.
brindlemoor_add_test(desktop_entry_test
    SOURCES
        linux/DesktopEntryParserTest.cpp
        linux/DesktopEntryRegistryTest.cpp
    LIBS brindlemoor_platform brindlemoor_desktop_session brindlemoor_fakes
    ENVIRONMENT "LC_ALL=C.UTF-8")
