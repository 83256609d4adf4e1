#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Brings every brindlemoor_*.ts in FOLDER (default: translations/) up to date with the texts of
# src/: new texts are added unfinished, vanished ones dropped. No line numbers are kept, so a .ts
# changes only when a text does. English holds plural forms only. The build's
# update_translations target runs this; the packaging tests run it on copies.
#   scripts/update-translations.sh [FOLDER [LUPDATE]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$root/translations}"
lupdate="${2:-/usr/lib/qt6/bin/lupdate}"

for ts in "$folder"/brindlemoor_*.ts; do
    plural=()
    [ "${ts##*_}" = en.ts ] && plural=(-pluralonly)
    "$lupdate" -silent -locations none -no-obsolete "${plural[@]}" -I "$root/src" "$root/src" -ts "$ts"
done
