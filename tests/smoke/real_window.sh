#!/usr/bin/env bash
# Runs the game in a real X window on a private Xvfb server: the window opens
# with its title and at least 640x480, takes pointer motion and a key, shows the
# white background, fills a larger window, and ends with status 0 on the window
# manager's close request, on the menu's exit row and on SIGTERM. The menu is
# reached, in a scaled window, with both clicks arriving while the game is
# stopped, so they come in one batch.
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

# The window keeps at least 640x480; one that is no whole multiple of it is
# filled at 4:3, so a 1000x750 window shows white to its corners rather than
# a 1x picture in black borders.
xprop -id "$window" WM_NORMAL_HINTS | grep -q 'minimum size: 640 by 480' ||
    fail "the window asks for no minimum size of 640x480"
xdotool windowsize --sync "$window" 1000 750 || fail "could not resize the window"
sleep 0.5
timeout 20 import -window "$window" "$work/big.png" || fail "no screenshot"
for spot in 2,2 997,747; do
    pixel=$(convert "$work/big.png" -format "%[pixel:p{$spot}]" info:)
    case "$pixel" in
        "srgb(255,255,255)" | "white") ;;
        *) fail "pixel $spot of a 1000x750 window is $pixel, not white" ;;
    esac
done

"$wm_close" "$window" || fail "could not send the close request"
expect_clean_exit "the close request"

# Right click opens the menu, a left click on its last row (y 465..479) ends
# the game; the game is stopped meanwhile so both clicks reach it at once.
# In a 1000x750 window the pointer is mapped through the scaling: these are
# the picture's (630, 470) and (60, 475).
start_game
wait_for_title '^Orvet: smoke$'
xdotool windowsize --sync "$window" 1000 750 || fail "could not resize the window"
sleep 0.5
kill -STOP "$game_pid"
xdotool mousemove --window "$window" 985 735 click 3 mousemove --window "$window" 94 743 click 1 ||
    { kill -CONT "$game_pid"; fail "could not click"; }
kill -CONT "$game_pid"
expect_clean_exit "two clicks in one batch: open the menu, then its exit row"

start_game
sleep 0.5
kill -TERM "$game_pid"
expect_clean_exit "SIGTERM"

echo "PASS: real window smoke test (${WIDTH}x${HEIGHT} window, close request, menu exit and SIGTERM end it with status 0)"
