#!/usr/bin/env bash
# CI's Windows stage, after the Linux checks (it compares with the Linux batch that ./test
# built in build/): the Windows calls under Wine (tools/windows/check_platform), the win64
# build with its tests under Wine (tools/windows/build), then the zip's checks
# (tools/windows/check_zip). The third-party parts are cached on the
# machine, so only a machine's first run builds Qt.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
[ -x "$ROOT/build/src/batch/gravmark-batch" ] || { echo "windows stage: run ./test first (build/)" >&2; exit 1; }
LOG=$(mktemp)
trap 'rm -f "$LOG"' EXIT
# A minute's check of the Windows calls first, before the long build.
"$ROOT/tools/windows/check_platform"
"$ROOT/tools/windows/build" | tee "$LOG"
ZIP=$(tail -1 "$LOG")
"$ROOT/tools/windows/check_zip" "$ZIP" "$ROOT/build"
