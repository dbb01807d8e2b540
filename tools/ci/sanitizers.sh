#!/usr/bin/env bash
# CI stage: the whole test suite again, built by Clang with AddressSanitizer and
# UndefinedBehaviorSanitizer (windows offscreen, as in ./test). Any report fails its test.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$ROOT/tools/ci/sanitizer_build.sh"

sanitizer_build
cd "$SANITIZER_BUILD"
ctest --output-on-failure -j "$(nproc)" --timeout 900
