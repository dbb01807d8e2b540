# Sourced by ./run and ./test: installs the Debian packages that are missing, quietly.
# Usage: install_missing PACKAGE...
install_missing() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    # The FTP and SSH server packages must not start (or enable) their system services:
    # the tests run their own instances. policy-rc.d is Debian's switch for that.
    local policy=/usr/sbin/policy-rc.d own_policy=""
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' >"$policy" && chmod +x "$policy" && own_policy=1
    fi
    local log status=0
    log=$(mktemp)
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1 || status=$?
    [ -n "$own_policy" ] && rm -f "$policy"
    if [ $status -ne 0 ]; then
        cat "$log" >&2
        rm -f "$log"
        echo "Could not install: ${missing[*]}" >&2
        return 1
    fi
    rm -f "$log"
}

# What building needs; fonts-dejavu-core gives the windows their fallback font, also in
# the offscreen window tests.
BUILD_PACKAGES=(g++ cmake ninja-build ccache pkg-config qt6-base-dev libpugixml-dev libjpeg62-turbo-dev
                libssh-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)

# What the tests need beyond the build: real FTP and SSH servers run on loopback by the
# tests themselves (never as system services), and the tools that make their keys.
TEST_PACKAGES=(python3 python3-pyftpdlib python3-openssl python3-paramiko vsftpd
               openssh-server openssh-client openssl tidy)

# The sanitizer and fuzz stages of CI: Clang, its sanitizer and libFuzzer runtimes, and
# llvm-symbolizer for readable reports.
SANITIZER_PACKAGES=(clang-14 libclang-rt-14-dev llvm-14)

# What the Debian package check needs beyond the build: cpack's dpkg-shlibdeps and file.
PACKAGE_PACKAGES=(dpkg-dev file)

# Compiles go through ccache, keyed by paths relative to the clone, so that another clone
# of the same sources on this machine (CI's, a second work tree) reuses the objects.
# CMake reads the launcher from the environment when it first configures a build folder.
use_ccache() {
    command -v ccache >/dev/null || return 0
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1
}

# configure_and_build BUILD_DIR: a Release build of everything.
configure_and_build() {
    local dir=$1
    use_ccache
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$dir/configure.log" 2>&1 \
        || { cat "$dir/configure.log" >&2; return 1; }
    cmake --build "$dir" -j "$(nproc)"
}
