# SPDX-License-Identifier: MIT
brindlemoor_add_test(floating_widgets_test
    SOURCES widgets/FloatingWidgetManagerTest.cpp widgets/FloatingWidgetViewTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
