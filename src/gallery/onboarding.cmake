# SPDX-License-Identifier: MIT
target_sources(brindlemoor-gallery PRIVATE OnboardingSurfaces.cpp)
# The welcome's notice shows a made-up extension's state.
target_link_libraries(brindlemoor-gallery PRIVATE brindlemoor_fakes)
