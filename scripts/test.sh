#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds with the sanitizers and warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The committed format is part of the build.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
cmake --preset sanitizers
cmake --build --preset sanitizers

export ASAN_OPTIONS="abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --preset sanitizers -j "$(nproc)"
