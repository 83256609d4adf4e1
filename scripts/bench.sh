#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the release configuration if needed and runs the benchmarks (bench/run-bench.sh):
#   scripts/bench.sh [--peer "<command>"] [--seconds N]
# Callgrind (valgrind) counts the instructions of one counted second.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh valgrind >&2
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
exec bench/run-bench.sh build/release "$@"
