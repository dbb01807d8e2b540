#!/usr/bin/env bash
# The program alone, as a packager builds it: the Unix Makefiles generator, no tests, no
# benchmarks, warnings as errors, in a scratch folder. Fails on a generator-specific break.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$ROOT/tools/deps.sh"
install_missing "${BUILD_PACKAGES[@]}"

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
cmake -S "$ROOT" -B "$SCRATCH" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
    -DGRAVMARK_BUILD_TESTS=OFF -DGRAVMARK_BUILD_BENCHMARKS=OFF -DGRAVMARK_WERROR=ON \
    >"$SCRATCH/configure.log" 2>&1 || { cat "$SCRATCH/configure.log" >&2; exit 1; }
cmake --build "$SCRATCH" -j "$(nproc)" >"$SCRATCH/build.log" 2>&1 || { tail -50 "$SCRATCH/build.log" >&2; exit 1; }
for program in src/app/GravmarkParser src/batch/gravmark-batch sample/games_mp.log; do
    [ -s "$SCRATCH/$program" ] || { echo "Makefile build made no $program" >&2; exit 1; }
done
echo "Makefile build of the program alone: ok"
