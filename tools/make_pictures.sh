#!/usr/bin/env bash
# Makes the README's pictures (docs/*.png) again, from a generated log: the real windows of
# build/ on a virtual X display (Xvfb, driven by tools/x_window.py, shot with ImageMagick's
# import) and the pages the program writes in headless Chromium. It builds nothing: build
# first (./run or ./test), then
#
#   tools/make_pictures.sh [OUT_FOLDER]      (default: docs/)
#
# Needs the Debian packages xvfb, x11-utils (xwininfo), imagemagick, chromium, python3 and
# fonts-liberation: the windows prefer Liberation Sans where Tahoma is missing, and with
# only DejaVu Sans, which is wider, a few captions are cut.
# Every picture is one function below, named in PICTURES; a new picture is a new function.
# The windows take their positions and the pointer rests off them, so the same build makes
# the same pictures, apart from the update time the window prints.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
OUT=$(mkdir -p "${1:-$ROOT/docs}" && cd "${1:-$ROOT/docs}" && pwd)
# Seconds a step of the window is given; a 10,000-line log needs well under one.
STEP_WAIT=${STEP_WAIT:-2}
PICTURES=(settings_window main_window main_window_page page merge_window player_page modern_pages
          rating_pages)

MAIN="Gravmark Parser"
SETTINGS="GravmarkParser Setup Defaults"
MERGE="Merge names"
x() { python3 "$ROOT/tools/x_window.py" "$@"; }

for tool in Xvfb xwininfo import chromium python3; do
    command -v "$tool" >/dev/null || { echo "make_pictures.sh: $tool is missing" >&2; exit 1; }
done
fc-list | grep -q "Liberation Sans" || { echo "make_pictures.sh: install fonts-liberation" >&2; exit 1; }
for built in src/app/GravmarkParser src/batch/gravmark-batch src/loggen/gravmark-loggen; do
    [ -x "$BUILD/$built" ] || { echo "make_pictures.sh: no $BUILD/$built; build first" >&2; exit 1; }
done

WORK=$(mktemp -d)
XVFB_PID=""
PROGRAM_PID=""
cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# A display of our own: the first free number from 90.
display=90
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# The program folder: the program, a generated 10,000-line log with 24 players, settings
# with an example account and a save folder (site, in the program folder), and the page
# templates.
PROGRAM=$WORK/program
mkdir -p "$PROGRAM/site"
cp "$BUILD/src/app/GravmarkParser" "$PROGRAM/"
touch "$PROGRAM/GravmarkParser.portable"
"$BUILD/src/loggen/gravmark-loggen" --lines 10000 --seed 11 --players 24 --out "$PROGRAM/games_mp.log"
printf '[FTPconnect]\r\nserver=ftp.example.org\r\nuser=clan\r\npass=example-password\r\nlogfile=games_mp.log\r\n[General]\r\nsavepath=site\r\n[Medals]\r\ntnt=1\r\n' \
    >"$PROGRAM/GravmarkParser.INI"
printf '<html><head><title>Clan statistics</title></head>\n<body>\n' >"$PROGRAM/head.txt"
printf '</body>\n</html>\n' >"$PROGRAM/foot.txt"

start_program() {
    "$PROGRAM/GravmarkParser" >>"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    x wait "$MAIN"
    sleep 1
}

end_program() {
    x close "$MAIN"
    wait "$PROGRAM_PID" || true
    PROGRAM_PID=""
}

# shot TITLE FILE: the window's client area as the user sees it.
shot() {
    sleep 1
    import -window "$(x id "$1")" "$OUT/$2"
    echo "made $OUT/$2"
}

# page_shot HTML_FILE FILE WIDTH HEIGHT [CHROMIUM_OPTION]: the top of a page as a browser
# shows it (--force-dark-mode: as a visitor whose system is set to dark).
page_shot() {
    chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$WORK/chromium" \
        --window-size="$3,$4" --screenshot="$OUT/$2" ${5:-} "file://$1" >>"$WORK/chromium.log" 2>&1
    echo "made $OUT/$2"
}

# Main window controls, as placed in the window (x, y of their middles).
LOAD=(440 28) PARSE=(521 28) HTML=(602 28) SAVE=(683 28)
SHOW_DETAILS=(16 16) DEFAULT_SAVE=(16 39) JOIN_NAMES=(16 62)

# The settings window, opened from the popup menu's last entry, "Setup FTP Server".
settings_window() {
    x click "$MAIN" 360 514 right  # the background between the lower box and the bar
    x key Up Return
    x wait "$SETTINGS"
    shot "$SETTINGS" settings-window.png
    x close "$SETTINGS"
    x gone "$SETTINGS"
}

# After LOAD and PARSE with "Show details": the log above, an event per line below.
main_window() {
    x click "$MAIN" "${SHOW_DETAILS[@]}"
    x click "$MAIN" "${LOAD[@]}"
    sleep "$STEP_WAIT"
    x click "$MAIN" "${PARSE[@]}"
    sleep "$STEP_WAIT"
    shot "$MAIN" main-window.png
}

# After HTML and SAVE to the default folder (the message box answered): the page above,
# the credit line and the footer below.
main_window_page() {
    x click "$MAIN" "${SHOW_DETAILS[@]}"
    x click "$MAIN" "${HTML[@]}"
    sleep "$STEP_WAIT"
    x click "$MAIN" "${DEFAULT_SAVE[@]}"
    x click "$MAIN" "${SAVE[@]}"
    sleep "$STEP_WAIT"
    x close "$MAIN"  # the newest window of that title: "Results saved on server."
    shot "$MAIN" main-window-page.png
}

# The page main_window_page saved.
page() {
    page_shot "$PROGRAM/site/index.html" page.png 1000 880
}

# A fresh start with "Let me join Names": LOAD, PARSE, HTML open the merge window; a name
# to keep, two names to fold into it and a kept rule are selected.
merge_window() {
    end_program
    # Two kept names, for this picture only (the pages show every generated player): the two
    # names that join least are aliases of the third least.
    local joined
    mapfile -t joined < <(LC_ALL=C awk -F';' '$1 ~ / J$/ { ++joins[$4] } END { for (n in joins) print joins[n] "\t" n }' \
        "$PROGRAM/games_mp.log" | LC_ALL=C sort -n -k1,1 -k2 | head -3 | cut -f2-)
    printf '%s\t%s\r\n' "${joined[0]}" "${joined[2]}" "${joined[1]}" "${joined[2]}" >"$PROGRAM/aliases.txt"
    start_program
    x click "$MAIN" "${JOIN_NAMES[@]}"
    for step in LOAD PARSE HTML; do
        local -n button=$step
        x click "$MAIN" "${button[@]}"
        sleep "$STEP_WAIT"
    done
    x wait "$MERGE"
    x click "$MERGE" 100 300
    x click "$MERGE" 450 270
    x click "$MERGE" 450 330 ctrl
    x click "$MERGE" 100 508
    shot "$MERGE" merge-window.png
}

# The page of the player with most kills, written by the batch with player pages on.
player_page() {
    local folder=$WORK/batch
    mkdir -p "$folder/site"
    cp "$PROGRAM/games_mp.log" "$PROGRAM/head.txt" "$PROGRAM/foot.txt" "$folder/"
    printf '[General]\r\nplayerpages=1\r\n[Medals]\r\ntnt=1\r\n' >"$folder/GravmarkParser.INI"
    "$BUILD/src/batch/gravmark-batch" --folder "$folder" --out "$folder/site/index.html" --quiet
    local first
    first=$(grep -o -m1 'href="players/[^"]*"' "$folder/site/index.html" | head -1 | cut -d'"' -f2)
    page_shot "$folder/site/$first" player-page.png 1000 900
}

# The modern style with the export, names read as "auto": the generated log and a game of
# players with UTF-8 names (Cyrillic, Czech), in light and dark, wide and as on a phone.
modern_pages() {
    local folder=$WORK/modern
    mkdir -p "$folder/site"
    cp "$PROGRAM/games_mp.log" "$folder/"
    {
        printf '  0:01 InitGame: \\g_gametype\\dm\\mapname\\mp_crash\n'
        printf '  0:02 J;;50;Иван\n  0:02 J;;51;Žižka\n  0:02 J;;52;^1Дмитрий\n'
        for weapon in kar98k_mp mp44_mp gl_ak47_mp; do
            printf '  0:03 K;;1;axis;Žižka;;2;allies;Иван;%s;100;MOD_RIFLE_BULLET;head\n' "$weapon"
            printf '  0:03 K;;1;axis;Иван;;2;allies;^1Дмитрий;%s;100;MOD_RIFLE_BULLET;torso_upper\n' "$weapon"
        done
    } >>"$folder/games_mp.log"
    printf '[General]\r\nplayerpages=1\r\nsitestyle=modern\r\nexport=1\r\nlogcodepage=auto\r\n' \
        >"$folder/GravmarkParser.INI"
    "$BUILD/src/batch/gravmark-batch" --folder "$folder" --out "$folder/site/index.html" --quiet
    local ivan
    ivan=$(grep -o 'href="players/[^"]*">Иван' "$folder/site/index.html" | cut -d'"' -f2)
    page_shot "$folder/site/index.html" modern-page-light-1280.png 1280 1000
    page_shot "$folder/site/index.html" modern-page-dark-390.png 390 1300 --force-dark-mode
    page_shot "$folder/site/$ivan" modern-player-light-390.png 390 1300
    page_shot "$folder/site/$ivan" modern-player-dark-1280.png 1280 1000 --force-dark-mode
}

# With ratings, in the modern style (no templates): the top player's page on a phone, and
# the head-to-head table.
rating_pages() {
    local folder=$WORK/ratings
    mkdir -p "$folder/site"
    cp "$PROGRAM/games_mp.log" "$folder/"
    printf '[General]\r\nplayerpages=1\r\nratings=1\r\nsitestyle=modern\r\n' >"$folder/GravmarkParser.INI"
    "$BUILD/src/batch/gravmark-batch" --folder "$folder" --out "$folder/site/index.html" --quiet
    local first
    first=$(grep -o -m1 'href="players/[^"]*"' "$folder/site/index.html" | head -1 | cut -d'"' -f2)
    page_shot "$folder/site/$first" rating-player-390.png 390 1000
    page_shot "$folder/site/versus.html" versus.png 1000 760
}

start_program
for picture in "${PICTURES[@]}"; do "$picture"; done
end_program
