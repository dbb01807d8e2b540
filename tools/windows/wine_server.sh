# Sourced by run_tests, check_zip and measure_batch: keep_wine_server keeps one Wine server
# running for $WINEPREFIX until the caller's end (the caller stops it with `wineserver -k`),
# so that a program's start costs well under a second instead of several, and makes the
# prefix if it is new (about 15 s the first time). The server comes first, then one start
# that brings up Wine's own background programs with their output to /dev/null: started
# later by a program whose output is read through a pipe, they would hold that pipe open
# for as long as the server runs. A server left lingering by an earlier start is waited
# for, since a second one cannot be made persistent beside it.
keep_wine_server() {
    # The server starts in the prefix's folder, so a new prefix's folder is made first.
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wineserver -w
    /usr/lib/wine/wineserver -p
    WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=} /usr/lib/wine/wine64 cmd /c exit 0 >/dev/null 2>&1 </dev/null || true
}
