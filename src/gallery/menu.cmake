# SPDX-License-Identifier: MIT
target_sources(brindlemoor-gallery PRIVATE MenuSurfaces.cpp)
# The popover pictures use made-up applications and a clock that stands still.
target_link_libraries(brindlemoor-gallery PRIVATE brindlemoor_fakes)
