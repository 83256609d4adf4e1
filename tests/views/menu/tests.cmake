# SPDX-License-Identifier: MIT
brindlemoor_add_test(menu_test
    SOURCES menu/MenuTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
