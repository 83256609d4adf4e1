# SPDX-License-Identifier: MIT
brindlemoor_add_test(monitored_apps_table_test
    SOURCES settings/MonitoredAppsTableTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
brindlemoor_add_test(preferences_view_test
    SOURCES settings/PreferencesViewTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
brindlemoor_add_test(application_chooser_test
    SOURCES settings/ApplicationChooserTest.cpp
    LIBS brindlemoor_views brindlemoor_fakes
    MAIN brindlemoor_gui_test_main
    ENVIRONMENT "${views_env}")
