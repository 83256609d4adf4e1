# SPDX-License-Identifier: MIT
brindlemoor_add_test(menu_test
    SOURCES popover/MenuTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
brindlemoor_add_test(accessibility_test
    SOURCES popover/AccessibilityTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
brindlemoor_add_test(keyboard_walk_test
    SOURCES popover/KeyboardWalkTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
