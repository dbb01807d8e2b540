# Sourced by check_zip and measure_batch: the window under Wine on a private Xvfb display,
# driven as on Linux by tools/x_window.py (with no window manager, Wine's X window is the
# client area, so the places clicked are the controls' own).
#   window_all PROGRAM_FOLDER WINDOWS_PROGRAM_FOLDER SAVE_FOLDER [SCREENSHOT]
# starts GravmarkParser.exe in the folder, ticks "Default Save" (the folder's settings must
# name SAVE_FOLDER, below the folder, as the save folder), presses ALL and waits until the
# page is there; WINDOW_ALL_SECONDS is then the time from the press to the saved page. The
# window stays open: the caller ends it with Wine's server. Returns 1 when the window did
# not show or no page was saved within 10 minutes.
window_all() {
    local folder=$1 windows_folder=$2 page=$1/$3/index.html screenshot=${4:-}
    local x_window started tries=0 xvfb
    x_window=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/x_window.py
    local -x DISPLAY=":$((90 + RANDOM % 100))"
    Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    sleep 2
    (cd "$folder" && /usr/lib/wine/wine64 "$windows_folder\\GravmarkParser.exe" >/dev/null 2>&1 &)
    /usr/bin/python3 "$x_window" wait "Gravmark Parser" 90 || { kill "$xvfb"; return 1; }
    sleep 3
    /usr/bin/python3 "$x_window" click "Gravmark Parser" 20 39
    sleep 1
    started=$(date +%s.%N)
    /usr/bin/python3 "$x_window" click "Gravmark Parser" 357 28
    until [ -s "$page" ] || [ $((tries += 1)) -gt 3000 ]; do sleep 0.2; done
    WINDOW_ALL_SECONDS=$(echo "$(date +%s.%N) - $started" | bc)
    sleep 1
    if [ -n "$screenshot" ]; then
        # The whole screen, cut to the windows on it: the main window and its message.
        import -window root -trim +repage "$screenshot"
    fi
    kill "$xvfb"
    [ -s "$page" ]
}
