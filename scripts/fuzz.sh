#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets of fuzz/ with clang in build/fuzz and runs each in turn.
#   scripts/fuzz.sh [seconds-per-target] [target...]
# Every target starts from its seeds in fuzz/corpus/<target>; what it learns stays in
# build/fuzz/corpus/<target>, and any input that breaks it goes to build/fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(usage_document stored_values desktop_entry)
fi

if ! command -v clang++ >/dev/null; then
    echo "fuzz.sh: needs clang and libFuzzer: apt-get install clang libclang-rt-14-dev" >&2
    exit 1
fi
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DBRINDLEMOOR_FUZZ=ON -DBRINDLEMOOR_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build/fuzz --target "${targets[@]}"

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
summary=()
found=0
for target in "${targets[@]}"; do
    corpus="build/fuzz/corpus/$target"
    findings="build/fuzz/findings/$target"
    log="build/fuzz/$target.log"
    mkdir -p "$corpus" "$findings"
    echo "== $target: ${seconds} s"
    start=$SECONDS
    status=0
    "build/fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
    ran=$((SECONDS - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 || true)
    if [ "$status" -eq 0 ]; then
        result="nothing found"
    else
        found=1
        result="FOUND: $(ls -t "$findings" | head -n 1) (see $log)"
    fi
    summary+=("$(printf '%-16s %5d s  %10s runs  %-10s %s' "$target" "$ran" "${runs:-?}" "${coverage:-}" "$result")")
    tail -n 5 "$log"
done

echo "== summary"
printf '%s\n' "${summary[@]}"
exit "$found"
