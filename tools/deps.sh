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
    local log status=0
    log=$(mktemp)
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1 || status=$?
    if [ $status -ne 0 ]; then
        cat "$log" >&2
        rm -f "$log"
        echo "Could not install: ${missing[*]}" >&2
        return 1
    fi
    rm -f "$log"
}

# What building needs; fonts-dejavu-core gives the windows their fallback font, also in
# the offscreen window tests; help2man makes the manual pages from --help.
BUILD_PACKAGES=(g++ cmake ninja-build ccache pkg-config qt6-base-dev libpugixml-dev libjpeg62-turbo-dev
                libssh-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core help2man)

# What the tests need beyond the build: Python's FTP and SFTP servers, the tools that make
# keys and certificates, tidy for the modern pages, and the libraries the unpacked test
# servers (below) link to.
TEST_PACKAGES=(python3 python3-pyftpdlib python3-openssl python3-paramiko openssh-client openssl tidy
               libacl1 libaudit1 libcap2 libcom-err2 libcrypt1 libgssapi-krb5-2 libhiredis0.14
               libidn2-0 libkrb5-3 libmemcached11 libmemcachedutil2 libncursesw6 libpam0g
               libpcre2-8-0 libpcre2-posix3 libselinux1 libsodium23 libssl3 libsystemd0
               libtinfo6 libwrap0 zlib1g)

# The real FTP and SSH servers the tests start on loopback. Installing them would add
# system accounts and services that start at boot, so their packages are only unpacked
# into a private folder outside the clone, and the tests run the programs from there.
TEST_SERVER_PACKAGES=(vsftpd openssh-server openssh-sftp-server proftpd-core proftpd-mod-crypto
                      pure-ftpd pure-ftpd-common)
TEST_SERVERS=${GRAVMARK_TEST_SERVERS:-${XDG_CACHE_HOME:-$HOME/.cache}/gravmark-parser/test-servers}
# The programs the tests start, relative to TEST_SERVERS.
TEST_SERVER_PROGRAMS=(usr/sbin/vsftpd usr/sbin/sshd usr/lib/openssh/sftp-server usr/sbin/proftpd
                      usr/lib/proftpd/mod_tls.so usr/sbin/pure-ftpd usr/bin/pure-pw)

# The versions apt offers now, one "package version" a line.
test_server_versions() {
    local package
    for package in "${TEST_SERVER_PACKAGES[@]}"; do
        echo "$package $(apt-cache policy "$package" | awk '/Candidate:/ { print $2 }')"
    done
}

# Unpacks the server packages into TEST_SERVERS unless the versions there are those apt
# offers. They are unpacked beside it first and renamed into place, so that a broken
# download never leaves half a folder for the tests.
fetch_test_servers() {
    local versions
    versions=$(test_server_versions)
    [ -f "$TEST_SERVERS/versions" ] && [ "$(cat "$TEST_SERVERS/versions")" = "$versions" ] && return 0
    # An older unpacking is replaced; anything else there is not ours to remove.
    if [ -e "$TEST_SERVERS" ] && [ ! -f "$TEST_SERVERS/versions" ]; then
        echo "$TEST_SERVERS exists and holds no test servers: move it or set GRAVMARK_TEST_SERVERS" >&2
        return 1
    fi
    echo "Unpacking the test servers into $TEST_SERVERS"
    mkdir -p "$(dirname "$TEST_SERVERS")"
    local scratch log
    scratch=$(mktemp -d "$TEST_SERVERS.new.XXXXXX")
    log=$scratch/download.log
    # apt downloads as its own user, which must be able to write here.
    chmod 755 "$scratch"
    if ! (cd "$scratch" && apt-get download "${TEST_SERVER_PACKAGES[@]}") >"$log" 2>&1; then
        # A fresh machine may not have apt's package lists yet.
        (apt-get update -qq && cd "$scratch" && apt-get download "${TEST_SERVER_PACKAGES[@]}") >"$log" 2>&1 \
            || { cat "$log" >&2; rm -rf "$scratch"; echo "Could not download the test servers" >&2; return 1; }
    fi
    local package program
    for package in "$scratch"/*.deb; do
        dpkg-deb -x "$package" "$scratch/root" || { rm -rf "$scratch"; return 1; }
    done
    for program in "${TEST_SERVER_PROGRAMS[@]}"; do
        if [ ! -e "$scratch/root/$program" ] || ldd "$scratch/root/$program" | grep -q "not found"; then
            ldd "$scratch/root/$program" >&2
            rm -rf "$scratch"
            echo "The test server /$program is missing or lacks a library (see TEST_PACKAGES)" >&2
            return 1
        fi
    done
    echo "$versions" >"$scratch/root/versions"
    rm -rf "$TEST_SERVERS"
    mv "$scratch/root" "$TEST_SERVERS"
    rm -rf "$scratch"
}

# Everything the tests need: the packages, then the servers.
install_test_dependencies() {
    install_missing "${TEST_PACKAGES[@]}" && fetch_test_servers
}

# The sanitizer and fuzz stages of CI: Clang, its sanitizer and libFuzzer runtimes, and
# llvm-symbolizer for readable reports.
SANITIZER_PACKAGES=(clang-14 libclang-rt-14-dev llvm-14)

# What the Debian package check needs beyond the build: cpack's dpkg-shlibdeps and file,
# and lintian.
PACKAGE_PACKAGES=(dpkg-dev file lintian)

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
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRAVMARK_TEST_SERVERS="$TEST_SERVERS" >"$dir/configure.log" 2>&1 \
        || { cat "$dir/configure.log" >&2; return 1; }
    cmake --build "$dir" -j "$(nproc)"
}
