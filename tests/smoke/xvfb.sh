# Shared by the real-window tests: a private Xvfb server and small helpers.
# Source it after defining fail() and a work directory in $work.

xvfb_pid=""
game_pid=""
smoke_cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap smoke_cleanup EXIT

for tool in Xvfb xdotool xdpyinfo import convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (tools/setup.sh installs it)"
done

# Xvfb picks a free display number itself and writes it to the file, so
# runs started at the same time cannot take the same one. Depth 24: at depth
# 16 the colours would not be exact.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local display="" number
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
    # In a sanitizer build, the window system's libraries (D-Bus, and the GL
    # driver that is unloaded at exit) leave allocations LeakSanitizer would
    # report as the game's; address and undefined-behaviour checks stay on.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
}

# Sets $window to the game's window once it appears.
find_window() {
    window=$(timeout 20 xdotool search --sync --name '^Orvet' 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "no game window appeared; output: $(cat "$work/orvet.log")"
}

# Waits until the window title matches the pattern; sets $title.
wait_for_title() {
    for _ in $(seq 100); do
        title=$(xdotool getwindowname "$window")
        [[ "$title" =~ $1 ]] && return 0
        sleep 0.1
    done
    fail "window title is '$title', expected /$1/"
}

# A screenshot of the window scaled back to the game's 640x480 frame.
frame_shot() {
    timeout 20 import -window "$window" "$work/raw.png" || fail "no screenshot"
    convert "$work/raw.png" -sample '640x480!' "$1" || fail "could not scale the screenshot"
}

# Number of pixels of the given colour (#RRGGBB) in a region WxH+X+Y of a shot.
count_colour() {
    convert "$1" -crop "$2" +repage txt:- | grep -ci "$3"
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
