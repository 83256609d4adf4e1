#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks every C++ file against the committed .clang-format. Lists the files itself, so that it
# works in an unpacked source archive as well as in a git checkout.
set -euo pipefail
cd "$(dirname "$0")/.."

find src tests fuzz bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z | xargs -0 clang-format --dry-run --Werror
