# SPDX-License-Identifier: MIT
brindlemoor_add_test(floating_widgets_test
    SOURCES cards/FloatingWidgetManagerTest.cpp cards/FloatingWidgetViewTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
