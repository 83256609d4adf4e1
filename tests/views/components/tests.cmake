# SPDX-License-Identifier: MIT
brindlemoor_add_test(components_controls_test
    SOURCES components/ControlsTest.cpp components/ProgressFillAnimationTest.cpp components/SymbolTest.cpp
    LIBS brindlemoor_views
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
brindlemoor_add_test(popover_window_test
    SOURCES components/PopoverWindowTest.cpp
    LIBS brindlemoor_views
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
# Its own program: the appearance is process-wide and must first meet the stand-in portal.
brindlemoor_add_test(appearance_portal_test
    SOURCES components/AppearancePortalTest.cpp
    LIBS brindlemoor_views Qt6::DBus
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
