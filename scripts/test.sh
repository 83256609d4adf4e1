#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, checks the format and clang-tidy, builds the release configuration
# and the sanitizer configuration with warnings as errors, and runs every test. Prints how
# long each step took.
set -euo pipefail
cd "$(dirname "$0")/.."

timings=()
step() {
    local name="$1"
    shift
    echo "== $name"
    local start=$SECONDS
    "$@"
    timings+=("$(printf '%-16s %4d s' "$name" $((SECONDS - start)))")
}

export ASAN_OPTIONS="abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Leaks of the libraries' own that no program of theirs can mend, each said in the file.
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan-qt.supp"
# The package test packages the release tree built below instead of building a second one.
export BRINDLEMOOR_PACKAGE_PRESET=release-werror

report() {
    echo "== timings"
    printf '%s\n' "${timings[@]}"
    echo "total            $(printf '%4d' "$SECONDS") s"
}
# A failed step ends the script: the steps before it still have their times told.
trap report EXIT

step "packages" scripts/install-deps.sh
step "format" scripts/check-format.sh
# clang-tidy reads the sanitizer tree's compile commands; the moc files are all it needs built.
step "clang-tidy" bash -c 'cmake --preset sanitizers >/dev/null && cmake --build --preset sanitizers --target autogen >/dev/null && scripts/tidy.py build/sanitizers'
step "release build" bash -c 'cmake --preset release-werror >/dev/null && cmake --build --preset release-werror'
step "sanitizer build" cmake --build --preset sanitizers
step "tests" ctest --preset sanitizers -j "$(nproc)"
