# SPDX-License-Identifier: MIT
brindlemoor_add_test(history_view_test
    SOURCES history/HistoryViewTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
