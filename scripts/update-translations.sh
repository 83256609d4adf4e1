#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Brings every brindlemoor_*.ts in FOLDER (default: translations/) up to date with the texts of
# src/: new texts are added unfinished, vanished ones dropped. No line numbers are kept, so a .ts
# changes only when a text does. English holds plural forms only. Without arguments it also
# merges the desktop entry's and the metainfo's texts into po/*.po. The build's
# update_translations target runs this; the packaging tests run it on copies with
# KEEP_VANISHED=1, so that a text gone from src/ shows as vanished instead of going quietly.
#   [LUPDATE=/path/to/lupdate] [KEEP_VANISHED=1] scripts/update-translations.sh [FOLDER]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$root/translations}"
lupdate="${LUPDATE:-/usr/lib/qt6/bin/lupdate}"
drop=(-no-obsolete)
[ -n "${KEEP_VANISHED:-}" ] && drop=()

for ts in "$folder"/brindlemoor_*.ts; do
    plural=()
    [ "${ts##*_}" = en.ts ] && plural=(-pluralonly)
    "$lupdate" -silent -locations none "${drop[@]}" "${plural[@]}" -I "$root/src" "$root/src" -ts "$ts"
done

if [ $# -eq 0 ]; then
    pot=$(mktemp)
    trap 'rm -f "$pot"' EXIT
    xgettext -o "$pot" "$root"/data/*.desktop "$root"/data/*.metainfo.xml
    for po in "$root"/po/*.po; do
        msgmerge --quiet --update --no-location --backup=none "$po" "$pot"
    done
fi
