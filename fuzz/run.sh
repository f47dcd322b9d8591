#!/usr/bin/env bash
# Builds the libFuzzer programs with clang into BUILD_DIR and runs each for SECONDS_PER_TARGET
# seconds against a copy of its seed corpus (fuzz/corpus/<target>/ stays as committed).
# Fails on the first target that crashes, breaks a property, leaks or hangs; the input that
# did it is kept in BUILD_DIR/fuzz-findings/<target>/.
#
#   fuzz/run.sh BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail
if [[ $# -ne 2 ]]; then
    echo "usage: $0 BUILD_DIR SECONDS_PER_TARGET" >&2
    exit 2
fi
build_dir=$1 seconds=$2
fuzz_dir=$(cd "$(dirname "$0")" && pwd)

CC=clang CXX=clang++ cmake -S "$fuzz_dir/.." -B "$build_dir" -G Ninja \
    -DPRESSVALE_FUZZ=ON -DPRESSVALE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target pressvale_fuzzers -j "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export UBSAN_OPTIONS=print_stacktrace=1

for corpus in "$fuzz_dir"/corpus/*/; do
    target=$(basename "$corpus")
    findings=$build_dir/fuzz-findings/$target
    mkdir -p "$work/$target" "$findings"
    cp "$corpus"* "$work/$target/"
    echo "fuzzing $target for ${seconds}s"
    # An input that takes longer than -timeout seconds counts as a hang.
    if ! "$build_dir/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
            -artifact_prefix="$findings/" "$work/$target" >"$work/$target.log" 2>&1; then
        cat "$work/$target.log"
        echo "fuzz_$target failed; the input is in $findings/" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$work/$target.log" | tr '\n' ' '
    echo
done
