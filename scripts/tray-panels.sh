#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tries the tray icon on real panels under Xvfb, each in a private session: the icon shows,
# comes back after the panel restarts, and shows when the panel starts 5 s after the
# program. 8x crops of the dot go to out/crops (sharp, no rim, the right colour?).
#
#   scripts/tray-panels.sh [panel...]
#
# Panels: trayer xfce4-panel tint2 lxpanel mate-panel lxqt-panel plasmashell (default: all).
# The test suite runs trayer and xfce4-panel on every run; this runs the others by hand.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A packages=(
    [trayer]="trayer" [xfce4-panel]="xfce4-panel xfconf" [tint2]="tint2" [lxpanel]="lxpanel"
    [mate-panel]="mate-panel" [lxqt-panel]="lxqt-panel" [plasmashell]="plasma-workspace plasma-desktop-data kded5"
)
panels=("$@")
[ ${#panels[@]} -gt 0 ] || panels=(trayer xfce4-panel tint2 lxpanel mate-panel lxqt-panel plasmashell)

missing=()
for panel in "${panels[@]}"; do
    [ -n "${packages[$panel]+set}" ] || { echo "unknown panel: $panel" >&2; exit 2; }
    for p in ${packages[$panel]}; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
        [ "$status" = installed ] || missing+=("$p")
    done
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Missing packages; install them with:" >&2
    echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
fi

[ -f build/debug/build.ninja ] || cmake --preset debug
cmake --build build/debug --target tray_panels_test
mkdir -p out/crops
BRINDLEMOOR_TRAY_PANELS="${panels[*]}" BRINDLEMOOR_TRAY_CROPS="$PWD/out/crops" \
    build/debug/tests/app/tray_panels_test --gtest_filter='Panels/*'
echo "Crops of the dot: out/crops"
