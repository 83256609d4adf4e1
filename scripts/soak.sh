#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Kills the real program with SIGKILL N times at random moments while it counts (300 by default),
# in the sanitizer build. BRINDLEMOOR_SOAK_SEED=<seed> replays the delays of an earlier run.
#   scripts/soak.sh [kills]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset sanitizers >/dev/null
cmake --build build/sanitizers --target program_soak_test
BRINDLEMOOR_SOAK_KILLS="${1:-300}" exec build/sanitizers/tests/app/program_soak_test
