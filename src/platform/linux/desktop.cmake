# SPDX-License-Identifier: MIT
# Launch at login.
