#!/usr/bin/env bash
# CI stage: every fuzz target of the sanitizer build runs FUZZ_SECONDS (default 60) from
# its seeds in tests/data/fuzz/. A crash, a leak, a hang or a broken property fails the
# stage; the input that did it is printed, with the command that replays it.
#   tools/ci/fuzz.sh [TARGET...]     (default: every fuzz_* target)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$ROOT/tools/ci/sanitizer_build.sh"
SECONDS_EACH=${FUZZ_SECONDS:-60}

sanitizer_build fuzz/all

mapfile -t targets < <(if [ $# -gt 0 ]; then printf '%s\n' "$@"; else
    find "$SANITIZER_BUILD/fuzz" -maxdepth 1 -type f -executable -name 'fuzz_*' -printf '%f\n' | sort; fi)
[ ${#targets[@]} -gt 0 ] || { echo "No fuzz targets in $SANITIZER_BUILD/fuzz" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=()
for target in "${targets[@]}"; do
    seeds="$ROOT/tests/data/fuzz/${target#fuzz_}"
    [ -d "$seeds" ] || { echo "$target: no seeds in $seeds" >&2; failed+=("$target"); continue; }
    # New inputs go to a scratch corpus, so the seeds in the repository stay as they are.
    mkdir -p "$work/$target/corpus" "$work/$target/found"
    log="$work/$target/log"
    status=0
    "$SANITIZER_BUILD/fuzz/$target" -max_total_time="$SECONDS_EACH" -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$work/$target/found/" "$work/$target/corpus" "$seeds" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    if [ $status -eq 0 ]; then
        echo "$target: ${runs:-?} runs in ${SECONDS_EACH} s (${speed:-?}/s), nothing found"
        continue
    fi
    failed+=("$target")
    echo "$target: FAILED after ${runs:-?} runs (exit status $status)" >&2
    tail -n 60 "$log" >&2
    for found in "$work/$target/found"/*; do
        [ -e "$found" ] || continue
        echo "--- input $(basename "$found") ($(stat -c %s "$found") bytes), as hex:" >&2
        od -A d -t x1 -v "$found" | head -n 40 >&2
        echo "--- replay: base64 -d > input <<< '$(base64 -w0 "$found")' && $SANITIZER_BUILD/fuzz/$target input" >&2
    done
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing failed: ${failed[*]}" >&2
    exit 1
fi
