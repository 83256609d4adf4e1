# SPDX-License-Identifier: MIT
# The autostart entry behind the settings switch, over real files.
brindlemoor_add_test(xdg_autostart_test
    SOURCES autostart/XdgAutostartTest.cpp
    LIBS brindlemoor_platform
    ENVIRONMENT "LC_ALL=C.UTF-8")
