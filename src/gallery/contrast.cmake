# SPDX-License-Identifier: MIT
target_sources(brindlemoor-gallery PRIVATE ContrastCheck.cpp)
