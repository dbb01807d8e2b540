# Sourced by run_tests, check_zip and measure_batch: keep_wine_server makes the Wine prefix
# $WINEPREFIX if it is new (about 15 s the first time) and keeps one Wine server running for
# it until the caller's end (the caller stops it with `wineserver -k`), so that a program's
# start costs well under a second instead of several. The server of the first start is
# waited for: a second server cannot be made persistent while it lingers.
keep_wine_server() {
    WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=} /usr/lib/wine/wine64 cmd /c exit 0 >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
    /usr/lib/wine/wineserver -p
}
