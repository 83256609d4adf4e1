# SPDX-License-Identifier: MIT
# Event sound and haptics.
