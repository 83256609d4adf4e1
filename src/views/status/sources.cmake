# SPDX-License-Identifier: MIT
# The tray image, the break overlay and their helpers.
