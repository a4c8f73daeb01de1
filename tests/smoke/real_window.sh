#!/usr/bin/env bash
# Runs the game in a real X window on a private Xvfb server: the window opens
# with its title and at least 640x480, takes pointer motion and a key, shows the
# white background, and ends with status 0 on the window manager's close
# request, on the menu's exit row and on SIGTERM. The menu is reached with
# both clicks arriving while the game is stopped, so they come in one batch.
# Usage: real_window.sh ORVET_BINARY WM_CLOSE_BINARY
set -u

fail() {
    echo "FAIL: real window smoke test: $*"
    exit 1
}

[ $# -eq 2 ] || fail "usage: real_window.sh ORVET_BINARY WM_CLOSE_BINARY"
orvet=$(realpath "$1") || fail "no game binary $1"
wm_close=$(realpath "$2") || fail "no wm_close binary $2"
work=$(mktemp -d)
. "$(dirname "$0")/xvfb.sh"
start_xvfb

# A puzzle of one level with no points and a one-segment path.
cd "$work" || fail "no work directory"
printf '"LVL"\r\n"points"\r\n1,"paths"\r\n\r\n0\r\n"END"\r\n' >smoke.zag

start_game() {
    "$orvet" smoke.zag >"$work/orvet.log" 2>&1 &
    game_pid=$!
    find_window
}

start_game
# The title names the puzzle once it has been read.
wait_for_title '^Orvet: smoke$'
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH:-0}" -ge 640 ] && [ "${HEIGHT:-0}" -ge 480 ] || fail "window is ${WIDTH}x${HEIGHT}"

xdotool mousemove --window "$window" 200 150 || fail "could not move the pointer"
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key x || fail "could not type a key"
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended after a key and pointer motion"

timeout 20 import -window "$window" "$work/shot.png" || fail "no screenshot"
pixel=$(convert "$work/shot.png" -format '%[pixel:p{5,5}]' info:)
case "$pixel" in
    "srgb(255,255,255)" | "white") ;;
    *) fail "background pixel is $pixel, not white" ;;
esac

"$wm_close" "$window" || fail "could not send the close request"
expect_clean_exit "the close request"

# Right click opens the menu, a left click on its last row (y 465..479) ends
# the game; the game is stopped meanwhile so both clicks reach it at once.
start_game
wait_for_title '^Orvet: smoke$'
sleep 0.5
kill -STOP "$game_pid"
xdotool mousemove --window "$window" 630 470 click 3 mousemove --window "$window" 60 475 click 1 ||
    { kill -CONT "$game_pid"; fail "could not click"; }
kill -CONT "$game_pid"
expect_clean_exit "two clicks in one batch: open the menu, then its exit row"

start_game
sleep 0.5
kill -TERM "$game_pid"
expect_clean_exit "SIGTERM"

echo "PASS: real window smoke test (${WIDTH}x${HEIGHT} window, close request, menu exit and SIGTERM end it with status 0)"
