#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the Debian package from a release build and prints its
# path, alone, on standard output. Only what the package holds is built, not the gallery.
set -euo pipefail
cd "$(dirname "$0")/.."

# BRINDLEMOOR_PACKAGE_PRESET=release-werror packages the test command's release tree, which is
# then built already.
preset="${BRINDLEMOOR_PACKAGE_PRESET:-release}"
scripts/install-deps.sh >&2
cmake --preset "$preset" >&2
cmake --build --preset "$preset" --target brindlemoor brindlemoor_icons brindlemoor_gnome_shell_extension \
    brindlemoor_translations brindlemoor_translated_data >&2
cpack --preset "$preset" | tee /dev/stderr | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' | grep .
