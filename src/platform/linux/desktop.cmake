# SPDX-License-Identifier: MIT
# Launch at login.
target_sources(brindlemoor_platform PRIVATE
    linux/XdgAutostart.cpp
    linux/XdgAutostart.h
)
