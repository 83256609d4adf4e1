# SPDX-License-Identifier: MIT
# Event sound and haptics.
pkg_check_modules(CANBERRA REQUIRED IMPORTED_TARGET libcanberra)
target_sources(brindlemoor_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CanberraSoundPlayer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CanberraSoundPlayer.h
    ${CMAKE_CURRENT_LIST_DIR}/NullHapticPerformer.h
)
target_link_libraries(brindlemoor_platform PRIVATE PkgConfig::CANBERRA)
