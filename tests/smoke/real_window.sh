#!/usr/bin/env bash
# Runs the game in a real X window on a private Xvfb server: the window opens
# with its title and at least 640x480, takes pointer motion and a key, shows the
# white background, and ends with status 0 on the window manager's close
# request and on SIGTERM.
# Usage: real_window.sh ORVET_BINARY WM_CLOSE_BINARY
set -u

fail() {
    echo "FAIL: real window smoke test: $*"
    exit 1
}

[ $# -eq 2 ] || fail "usage: real_window.sh ORVET_BINARY WM_CLOSE_BINARY"
orvet=$(realpath "$1") || fail "no game binary $1"
wm_close=$(realpath "$2") || fail "no wm_close binary $2"
for tool in Xvfb xdotool xdpyinfo import convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (tools/setup.sh installs it)"
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to the file, so
# runs started at the same time cannot take the same one. Depth 24: at depth
# 16 the colours would not be exact.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 100); do
    number=$(head -n 1 "$work/display" 2>/dev/null)
    if [ -n "$number" ]; then
        display=":$number"
        break
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
[ -n "$display" ] || fail "Xvfb did not report its display"
xdpyinfo -display "$display" >/dev/null 2>&1 || fail "Xvfb on $display did not answer"
export DISPLAY="$display"
unset SDL_VIDEODRIVER
# In a sanitizer build, the window system's libraries (D-Bus, and the GL driver
# that is unloaded at exit) leave allocations LeakSanitizer would report as the
# game's; address and undefined-behaviour checks stay on.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# A puzzle of one level with no points and a one-segment path.
cd "$work" || fail "no work directory"
printf '"LVL"\r\n"points"\r\n1,"paths"\r\n\r\n0\r\n"END"\r\n' >smoke.zag

start_game() {
    "$orvet" smoke.zag >"$work/orvet.log" 2>&1 &
    game_pid=$!
    window=$(timeout 20 xdotool search --sync --name '^Orvet' 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "no game window appeared; output: $(cat "$work/orvet.log")"
}

# Waits up to 20 s for the game to end; fails unless its status is 0.
expect_clean_exit() {
    local what=$1
    for _ in $(seq 200); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after $what"
    wait "$game_pid"
    local status=$?
    game_pid=""
    [ "$status" -eq 0 ] || fail "the game ended with status $status after $what"
}

start_game
# The title names the puzzle once it has been read.
for _ in $(seq 100); do
    title=$(xdotool getwindowname "$window")
    [ "$title" = "Orvet: smoke" ] && break
    sleep 0.1
done
[ "$title" = "Orvet: smoke" ] || fail "window title is '$title'"
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

start_game
sleep 0.5
kill -TERM "$game_pid"
expect_clean_exit "SIGTERM"

echo "PASS: real window smoke test (${WIDTH}x${HEIGHT} window, close request and SIGTERM end it with status 0)"
