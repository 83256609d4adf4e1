# SPDX-License-Identifier: MIT
# Active window, idle time, screen lock, global clicks and desktop entries.
