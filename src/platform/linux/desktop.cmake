# SPDX-License-Identifier: MIT
# The program's desktop id, and launch at login.
target_sources(brindlemoor_platform PRIVATE
    linux/AppId.h
    linux/XdgAutostart.cpp
    linux/XdgAutostart.h
)
