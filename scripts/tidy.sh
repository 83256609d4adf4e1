#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy over the project's own sources (src and tests, not generated files) with the
# checks of .clang-tidy, on all cores. Needs a configured build tree with its generated sources.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/sanitizers}"
root="$(pwd)"
run-clang-tidy -p "$build" -j "$(nproc)" -quiet "^$root/(src|tests)/" >"$build/clang-tidy.log" 2>&1 || {
    grep -E '(warning|error):' "$build/clang-tidy.log" | sort -u
    echo "clang-tidy found problems; the whole report is in $build/clang-tidy.log" >&2
    exit 1
}
