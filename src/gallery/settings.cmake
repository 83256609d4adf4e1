# SPDX-License-Identifier: MIT
target_sources(brindlemoor-gallery PRIVATE SettingsSurfaces.cpp)
# The settings pictures use made-up applications.
target_link_libraries(brindlemoor-gallery PRIVATE brindlemoor_fakes)
