# SPDX-License-Identifier: MIT
brindlemoor_add_test(reflection_panel_test
    SOURCES insights/ReflectionPanelTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
