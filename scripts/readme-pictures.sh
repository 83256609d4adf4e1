#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the gallery from the current code and copies the pictures the README shows into
# docs/pictures, replacing the old ones, so that they never show an older program.
set -euo pipefail
cd "$(dirname "$0")/.."

# gallery page (without .png)          picture in docs/pictures
# A "-" marks a slot whose gallery page does not exist yet; the script fails until it is filled.
pictures="
status-tray-images                    tray-states.png
menu-near-light@2x                    usage-popover-light.png
menu-reached-dark@2x                  usage-popover-dark.png
widgets-light@1x                      widgets-light.png
widgets-dark@1x                       widgets-dark.png
settings-popover-two-light@2x         settings-light.png
settings-popover-two-dark@2x          settings-dark.png
status-overlay-light-1x               overlay-light.png
status-overlay-dark-1x                overlay-dark.png
history-app-days-light@1x             history-light.png
history-weeks-dark@1x                 history-dark.png
"

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target brindlemoor-gallery
gallery=$(mktemp -d)
trap 'rm -rf "$gallery"' EXIT
build/release/src/gallery/brindlemoor-gallery "$gallery"

mkdir -p docs/pictures
rm -f docs/pictures/*.png
missing=0
while read -r page picture; do
    [ -n "$page" ] || continue
    if [ "$page" = - ]; then
        echo "empty slot: docs/pictures/$picture has no gallery page yet" >&2
        missing=1
    elif [ ! -f "$gallery/$page.png" ]; then
        echo "the gallery drew no page $page for docs/pictures/$picture" >&2
        missing=1
    else
        cp "$gallery/$page.png" "docs/pictures/$picture"
    fi
done <<<"$pictures"
exit $missing
