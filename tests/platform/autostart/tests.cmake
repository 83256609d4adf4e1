# SPDX-License-Identifier: MIT
# The autostart entry behind the settings switch: offscreen widgets over real files.
brindlemoor_add_test(xdg_autostart_test
    SOURCES autostart/XdgAutostartTest.cpp
    LIBS brindlemoor_platform brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
