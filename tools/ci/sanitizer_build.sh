# Sourced by the sanitizer and fuzz stages: one Clang build, with AddressSanitizer,
# UndefinedBehaviorSanitizer and the fuzz targets, in its own folder beside build/.
# Usage: sanitizer_build [TARGET...]   (everything by default; the folder is SANITIZER_BUILD)
source "$ROOT/tools/deps.sh"

SANITIZER_BUILD=${SANITIZER_BUILD:-$ROOT/build-sanitizers}

# Reports name files and lines; any report of either sanitizer ends the process.
export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Leaks inside the third-party libraries only; ours are all reported.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/tools/ci/third_party_leaks.supp:print_suppressions=0}

sanitizer_build() {
    install_missing "${BUILD_PACKAGES[@]}" "${SANITIZER_PACKAGES[@]}" && install_test_dependencies || return 1
    mkdir -p "$SANITIZER_BUILD"
    use_ccache
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    cmake -S "$ROOT" -B "$SANITIZER_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRAVMARK_TEST_SERVERS="$TEST_SERVERS" \
        -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
        -DGRAVMARK_BUILD_FUZZERS=ON -DGRAVMARK_WERROR=ON -DGRAVMARK_BUILD_BENCHMARKS=OFF \
        >"$SANITIZER_BUILD/configure.log" 2>&1 || { cat "$SANITIZER_BUILD/configure.log" >&2; return 1; }
    cmake --build "$SANITIZER_BUILD" -j "$(nproc)" ${1:+--target "$@"}
}
