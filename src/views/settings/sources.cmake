# SPDX-License-Identifier: MIT
# The settings popover, the monitored-apps table and the application chooser.
