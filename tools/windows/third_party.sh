# Sourced by tools/windows/build: the Windows third-party parts (Qt's qtbase, libssh,
# pugixml, libjpeg-turbo) built from Debian's own source packages, once per machine, into
# a cache folder outside the clone: $WINDOWS_CACHE/<key>, the key naming the source versions
# and the toolchain's. Each part is built into a temporary folder that is renamed into place
# only when it is complete, so that a run stopped halfway never leaves a cache that is used.

WINDOWS_CACHE=${GRAVMARK_WINDOWS_CACHE:-/var/cache/gravmark-windows}
THIRD_PARTY_SOURCES=(qt6-base libssh pugixml libjpeg-turbo)
# At most two compile jobs: the machine is shared with other builds.
THIRD_PARTY_JOBS=${GRAVMARK_WINDOWS_JOBS:-$(($(nproc) < 2 ? 1 : 2))}
WINDOWS_TOOLCHAIN=$ROOT/tools/windows/mingw64.cmake
THIRD_PARTY_RECIPE=1

# The private apt folders: the machine's own lists and sources stay untouched.
APT_HOME=$WINDOWS_CACHE/apt
private_apt() {
    local tool=$1
    shift
    "$tool" -q -o Dir::Etc::SourceList="$APT_HOME/debian-src.sources" -o Dir::Etc::SourceParts=- \
        -o Dir::State::Lists="$APT_HOME/lists" -o Dir::Cache="$APT_HOME/cache" "$@"
}

# The deb-src entries are the machine's own deb entries (same mirrors, suites and keys),
# read when the script runs, so that no mirror is written down here.
write_source_list() {
    local own=/etc/apt/sources.list.d/debian.sources
    [ -r "$own" ] || { echo "windows build: $own is missing; the source packages need its entries" >&2; return 1; }
    mkdir -p "$APT_HOME/lists/partial" "$APT_HOME/cache/archives/partial"
    sed -e 's/^Types:.*\bdeb\b.*$/Types: deb-src/' "$own" >"$APT_HOME/debian-src.sources.new"
    mv "$APT_HOME/debian-src.sources.new" "$APT_HOME/debian-src.sources"
}

# The source lists are read again after a day; a cache key changes only when a version does.
update_source_lists() {
    write_source_list
    local stamp=$APT_HOME/updated
    if [ -z "$(find "$stamp" -mmin -1440 2>/dev/null)" ]; then
        private_apt apt-get update >"$APT_HOME/update.log" 2>&1 || { cat "$APT_HOME/update.log" >&2; return 1; }
        touch "$stamp"
    fi
}

# Every version the lists offer, newest first: a mirror may not carry the newest one's files
# (a security update), and an older one of the same release is taken then.
source_versions() {
    private_apt apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ {print $2}' | sort -rVu
}

# fetch_source PACKAGE: fetches and unpacks PACKAGE's Debian source once into
# $WINDOWS_CACHE/sources/PACKAGE-VERSION/tree and records the folder in SOURCE_TREE.
declare -A SOURCE_TREE SOURCE_VERSION
fetch_source() {
    local package=$1 version home
    for version in $(source_versions "$package"); do
        home=$WINDOWS_CACHE/sources/$package-$version
        if [ ! -e "$home/.complete" ]; then
            rm -rf "$home" && mkdir -p "$home"
            (cd "$home" && private_apt apt-get source --download-only "$package=$version" >fetch.log 2>&1 \
                && dpkg-source --no-check -x ./*.dsc tree >>fetch.log 2>&1) || continue
            touch "$home/.complete"
        fi
        SOURCE_TREE[$package]=$home/tree SOURCE_VERSION[$package]=$version
        return 0
    done
    echo "windows build: could not fetch the source package $package" >&2
    [ -n "${home:-}" ] && cat "$home/fetch.log" >&2
    return 1
}

third_party_key() {
    local key="" package
    for package in "${THIRD_PARTY_SOURCES[@]}"; do key+="$package=${SOURCE_VERSION[$package]} "; done
    key+="gcc=$(x86_64-w64-mingw32-g++-posix -dumpfullversion) "
    key+="gcrypt=$(dpkg-query -W -f='${Version}' libgcrypt-mingw-w64-dev) "
    key+="zlib=$(dpkg-query -W -f='${Version}' libz-mingw-w64-dev) "
    # Raise THIRD_PARTY_RECIPE when an option below changes, so that the parts are built afresh.
    key+="recipe=$THIRD_PARTY_RECIPE toolchain=$(sha256sum <"$WINDOWS_TOOLCHAIN")"
    echo "$key" | sha256sum | cut -c1-16
}

# cross_cmake SOURCE BUILD PREFIX OPTION...: configure, build and install one CMake project.
cross_cmake() {
    local source=$1 build=$2 prefix=$3
    shift 3
    cmake -S "$source" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$WINDOWS_TOOLCHAIN" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$build.configure.log" 2>&1 \
        || { tail -40 "$build.configure.log" >&2; return 1; }
    nice -n "${GRAVMARK_WINDOWS_NICE:-19}" cmake --build "$build" -j "$THIRD_PARTY_JOBS" >"$build.build.log" 2>&1 \
        || { grep -B2 -A12 "FAILED\|error:" "$build.build.log" | head -60 >&2; return 1; }
    cmake --install "$build" >"$build.install.log" 2>&1 || { tail -20 "$build.install.log" >&2; return 1; }
}

# build_part NAME RECIPE: runs RECIPE PREFIX WORK once into $PREFIX/.NAME-complete's folder.
# The parts share one prefix (libssh finds nothing of Qt's, but the program finds all of them);
# each part's stamp says it was installed whole.
build_part() {
    local name=$1 recipe=$2 prefix=$3
    [ -e "$prefix/.$name-complete" ] && return 0
    # A build stopped halfway goes on where it stopped: its work folder is kept until done,
    # unless it was a build for another prefix (other versions).
    local work=$WINDOWS_CACHE/work/$name
    [ "$(cat "$work/.prefix" 2>/dev/null)" = "$prefix" ] || rm -rf "$work"
    mkdir -p "$work"
    echo "$prefix" >"$work/.prefix"
    echo "windows build: building $name for win64 (log in $work)"
    local started=$SECONDS
    "$recipe" "$prefix" "$work" || { echo "windows build: $name failed (logs in $work)" >&2; return 1; }
    touch "$prefix/.$name-complete"
    rm -rf "$work"
    echo "windows build: $name took $((SECONDS - started)) s"
}

# apply_patch TREE PATCH: applies PATCH to the source TREE once (a second run finds it applied).
apply_patch() {
    local tree=$1 patch=$2
    patch -d "$tree" -p1 -R --dry-run -s -f <"$patch" >/dev/null 2>&1 && return 0
    patch -d "$tree" -p1 -s -f <"$patch" || { echo "windows build: $patch does not apply to $tree" >&2; return 1; }
}

build_qtbase() {
    local prefix=$1 work=$2 source=${SOURCE_TREE[qt6-base]}
    # The 6.4.2 windows plugin offers the DirectWrite font database whenever DirectWrite 3 is
    # there, but Gui builds that database only together with Direct2D, which is off here: the
    # plugin then fails to link. The patch gives the plugin Gui's own condition (the default
    # GDI font database is the one used either way).
    apply_patch "$source" "$ROOT/tools/windows/qtbase-directwrite-needs-direct2d.patch"
    # Debian's source leaves out the non-free wintab headers, so tablet events are off.
    # OpenGL stays on: the 6.4.2 windows plugin does not compile without it.
    # TLS goes through Windows' own Schannel; the image and text libraries are Qt's bundled ones.
    # No JPEG plugin: the program decodes its one JPEG picture with libjpeg-turbo itself.
    cross_cmake "$source" "$work/build" "$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_openssl=OFF -DFEATURE_schannel=ON \
        -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_direct2d=OFF -DFEATURE_vulkan=OFF -DFEATURE_gif=OFF \
        -DFEATURE_jpeg=OFF -DFEATURE_ico=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
        -DFEATURE_sql_sqlite=OFF -DFEATURE_system_sqlite=OFF -DFEATURE_glib=OFF -DFEATURE_icu=OFF
}

build_libssh() {
    local prefix=$1 work=$2 source=${SOURCE_TREE[libssh]}
    # libgcrypt and zlib are Debian's own MinGW builds (libgcrypt-mingw-w64-dev, libz-mingw-w64-dev).
    cross_cmake "$source" "$work/build" "$prefix" \
        -DWITH_GCRYPT=ON -DWITH_SERVER=OFF -DWITH_GSSAPI=OFF -DWITH_EXAMPLES=OFF -DUNIT_TESTING=OFF \
        -DWITH_ZLIB=ON -DWITH_NACL=OFF -DBUILD_SHARED_LIBS=ON \
        -DGCRYPT_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
        -DGCRYPT_LIBRARY=/usr/x86_64-w64-mingw32/lib/libgcrypt.dll.a
}

build_pugixml() {
    local prefix=$1 work=$2 source=${SOURCE_TREE[pugixml]}
    cross_cmake "$source" "$work/build" "$prefix" -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
}

build_libjpeg() {
    local prefix=$1 work=$2 source=${SOURCE_TREE[libjpeg-turbo]}
    # The static library only: the program links it into itself, no further DLL.
    cross_cmake "$source" "$work/build" "$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JPEG8=OFF
}

# GoogleTest, for the tests only, from Debian's own source folder (libgtest-dev); cached
# beside the other parts, keyed by its version and the compiler's.
build_googletest() {
    local version key
    version=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || dpkg-query -W -f='${Version}' libgtest-dev)
    key=$(echo "googletest=$version gcc=$(x86_64-w64-mingw32-g++-posix -dumpfullversion) \
        toolchain=$(sha256sum <"$WINDOWS_TOOLCHAIN")" | sha256sum | cut -c1-16)
    GOOGLETEST_PREFIX=$WINDOWS_CACHE/googletest-$key
    export GRAVMARK_WINDOWS_TEST_PREFIX=$GOOGLETEST_PREFIX
    [ -e "$GOOGLETEST_PREFIX/.complete" ] && return 0
    local building=$GOOGLETEST_PREFIX.building
    rm -rf "$building" && mkdir -p "$building"
    build_part googletest build_googletest_into "$building"
    touch "$building/.complete"
    mv "$building" "$GOOGLETEST_PREFIX"
}

build_googletest_into() {
    local prefix=$1 work=$2
    cross_cmake /usr/src/googletest "$work/build" "$prefix" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
}

# build_third_party: sets WINDOWS_PREFIX to the complete cache folder, building what is missing.
build_third_party() {
    update_source_lists
    local package key
    for package in "${THIRD_PARTY_SOURCES[@]}"; do fetch_source "$package"; done
    key=$(third_party_key)
    WINDOWS_PREFIX=$WINDOWS_CACHE/$key
    export GRAVMARK_WINDOWS_PREFIX=$WINDOWS_PREFIX
    [ -e "$WINDOWS_PREFIX/.complete" ] && return 0
    local building=$WINDOWS_CACHE/$key.building
    mkdir -p "$building"
    export GRAVMARK_WINDOWS_PREFIX=$building
    build_part pugixml build_pugixml "$building"
    build_part libjpeg-turbo build_libjpeg "$building"
    build_part libssh build_libssh "$building"
    build_part qtbase build_qtbase "$building"
    touch "$building/.complete"
    # CMake packages name their folder at install time; the rename keeps them right because
    # they locate themselves relative to their own file.
    mv "$building" "$WINDOWS_PREFIX"
    export GRAVMARK_WINDOWS_PREFIX=$WINDOWS_PREFIX
}
