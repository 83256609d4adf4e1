# SPDX-License-Identifier: MIT
target_sources(brindlemoor-gallery PRIVATE HistorySurfaces.cpp)
# The history pictures use made-up applications, made-up days and a clock that stands still.
target_link_libraries(brindlemoor-gallery PRIVATE brindlemoor_fakes)
