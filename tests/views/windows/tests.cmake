# SPDX-License-Identifier: MIT
# Our windows under real window managers, one manager per test process.
brindlemoor_add_test(window_managers_display_test
    SOURCES windows/WindowManagersTest.cpp
    LIBS brindlemoor_views brindlemoor_platform brindlemoor_fakes brindlemoor_program_testing
    MAIN GTest::gtest_main
    LABELS display
    TIMEOUT 90)
