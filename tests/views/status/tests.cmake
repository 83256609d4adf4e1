# SPDX-License-Identifier: MIT
brindlemoor_add_test(status_views_test
    SOURCES status/StatusImageTest.cpp status/BreakOverlayTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
