#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy over the program's own sources (not the tests, the gallery or generated files)
# with the checks of .clang-tidy, on all cores. Needs a configured build tree with its generated
# sources. The tests are left to the compiler's warnings: checking them too doubled the time.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/sanitizers}"
root="$(pwd)"
run-clang-tidy -p "$build" -j "$(nproc)" -quiet "^$root/src/(app|core|platform|views)/" >"$build/clang-tidy.log" 2>&1 || {
    grep -E '(warning|error):' "$build/clang-tidy.log" | sort -u
    echo "clang-tidy found problems; the whole report is in $build/clang-tidy.log" >&2
    exit 1
}
