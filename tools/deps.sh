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
    local log
    log=$(mktemp)
    if ! { apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "Could not install: ${missing[*]}" >&2
        return 1
    fi
    rm -f "$log"
}

# What building needs; fonts-dejavu-core gives the windows their fallback font, also in
# the offscreen window tests.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libpugixml-dev libjpeg62-turbo-dev
                libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)

# configure_and_build BUILD_DIR: a Release build of everything.
configure_and_build() {
    local dir=$1
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$dir/configure.log" 2>&1 \
        || { cat "$dir/configure.log" >&2; return 1; }
    cmake --build "$dir" -j "$(nproc)"
}
