#!/usr/bin/env bash
# The Debian package from the build ./test made: cpack and lintian, then the package
# unpacked into a scratch root (dpkg -x) and its batch command run there as a user who
# never ran it, with HOME and XDG_DATA_HOME in a temporary folder: --help, the sample log the first start
# copies into the user's data folder refused, then a page from a log put in its place.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$ROOT/tools/deps.sh"
install_missing "${PACKAGE_PACKAGES[@]}"

BUILD=$ROOT/build
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }

(cd "$BUILD" && cpack -G DEB -B "$SCRATCH/out" >"$SCRATCH/cpack.log" 2>&1) || { cat "$SCRATCH/cpack.log" >&2; exit 1; }
DEB=$(ls "$SCRATCH"/out/gravmark-parser_*.deb)
dpkg-deb --field "$DEB" Depends | grep -q libqt6core6 || fail "no Qt dependency: $(dpkg-deb --field "$DEB" Depends)"
dpkg -x "$DEB" "$SCRATCH/root"
for file in usr/bin/gravmark-parser usr/bin/gravmark-batch usr/share/gravmark-parser/games_mp.log \
    usr/share/gravmark-parser/medal_pro_killer.png usr/share/applications/gravmark-parser.desktop \
    usr/share/icons/hicolor/scalable/apps/gravmark-parser.svg usr/share/icons/hicolor/48x48/apps/gravmark-parser.png \
    usr/share/man/man1/gravmark-batch.1.gz usr/share/man/man1/gravmark-parser.1.gz \
    usr/share/doc/gravmark-parser/copyright usr/share/doc/gravmark-parser/changelog.gz; do
    [ -s "$SCRATCH/root/$file" ] || fail "the package has no /$file"
done
# The manual pages are made from --help, so they name every option.
for word in '\\-\\-trust' SFTP GRAVMARK_KEY_PASSPHRASE; do
    zcat "$SCRATCH/root/usr/share/man/man1/gravmark-batch.1.gz" | grep -q -- "$word" \
        || fail "the manual page of gravmark-batch does not name $word"
done

# Debian's checks, errors and warnings alike. lintian warns when run by root, so root runs
# it as nobody, who must then be able to read the package.
lintian_report=$SCRATCH/lintian.txt
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$SCRATCH" "$SCRATCH/out"
    (cd / && runuser -u nobody -- env HOME="$SCRATCH/out" lintian --fail-on error,warning "$DEB") \
        >"$lintian_report" 2>&1 || true
else
    lintian --fail-on error,warning "$DEB" >"$lintian_report" 2>&1 || true
fi
[ ! -s "$lintian_report" ] || fail "lintian: $(cat "$lintian_report")"

export HOME=$SCRATCH/home XDG_DATA_HOME=$SCRATCH/home/data
mkdir -p "$HOME"
BATCH=$SCRATCH/root/usr/bin/gravmark-batch
"$BATCH" --help | grep -q -- "--folder" || fail "gravmark-batch --help printed no usage"
if "$BATCH" --quiet --out "$SCRATCH/index.html" 2>"$SCRATCH/refused"; then fail "the batch published the sample log"; fi
grep -q "is the sample log that comes with the program" "$SCRATCH/refused" || fail "$(cat "$SCRATCH/refused")"
cmp -s "$SCRATCH/root/usr/share/gravmark-parser/games_mp.log" "$XDG_DATA_HOME/gravmark-parser/games_mp.log" \
    || fail "the sample log was not copied into the user's data folder"
"$BUILD/src/loggen/gravmark-loggen" --lines 3000 --seed 2 --out "$XDG_DATA_HOME/gravmark-parser/games_mp.log"
"$BATCH" --quiet --out "$SCRATCH/index.html" --now "2026-12-09 14:30:05" || fail "the batch run failed"
grep -q "</table>" "$SCRATCH/index.html" || fail "the page has no player table"
[ ! -e "$SCRATCH/root/usr/bin/lijst.xml" ] || fail "work files were written beside the installed program"
echo "Debian package $(basename "$DEB"): ok"
