#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the program's windows under every window manager the tests know, marco included
# (which CI leaves out), each with its compositor on and off where it has both, and
# prints one line per window manager and behaviour: "<manager> | <behaviour> | yes|NO".
# Exits non-zero when any behaviour does not hold.
set -euo pipefail
cd "$(dirname "$0")/.."

# marco stops at start without the MATE settings daemon's schemas (org.mate.peripherals-mouse).
scripts/install-deps.sh marco mate-settings-daemon-common
cmake --preset debug >/dev/null
cmake --build --preset debug --target window_managers_display_test

export BRINDLEMOOR_EVERY_WINDOW_MANAGER=1
failed=0
binary=build/debug/tests/views/window_managers_display_test
# Qt takes one display per process: every test case runs on its own.
for test in $("$binary" --gtest_list_tests | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }'); do
    output=$("$binary" --gtest_filter="$test" 2>&1) || failed=1
    lines=$(grep ' | ' <<<"$output" || true)
    if [ -z "$lines" ]; then
        echo "${test##*/} | ${test%%/*} | NO (no behaviour measured)"
        grep -E 'Failure|error|not installed' <<<"$output" | head -3 | sed 's/^/    /'
    else
        echo "$lines"
    fi
done
exit $failed
