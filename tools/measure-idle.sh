#!/usr/bin/env bash
# Measures what the game costs the machine while it waits for the player, in
# a real window: starts a private Xvfb (1600x1200, depth 24) with the openbox
# window manager, and for each state runs the real orvet, brings it into that
# state with xdotool, and over IDLE_SECONDS (default 10) reads
#   - the processor time (user + system) from /proc/PID/stat, as a
#     percentage of one core,
#   - the voluntary context switches of all its threads from
#     /proc/PID/task/*/status, per second (each is one wake-up from a wait),
#   - the pictures shown per second, from the game's ORVET_STATS=1 lines,
# and prints them beside the targets. The states:
#   still      a level without an attractor (puzzles/01-pocetak.zag)
#   menu       the menu, opened with a right click away from the knots
#   help       the help page, reached from the menu
#   chooser    the puzzle chooser (no file named, three puzzles present)
#   minimized  the turning attractor's level, minimized
#   attractor  a level whose attractor turns (puzzles/03-privlacenje.zag)
#   drag       the first knot dragged in circles, the pointer moved every
#              10 ms (in the editor, so that no move can solve the level)
#   worst      a level of 501 points, 24 segments and an attractor
#
# Usage: tools/measure-idle.sh [ORVET_BINARY [STATE...]]
#   ORVET_BINARY defaults to build/default/orvet; without states, all but
#   "worst" are measured.
set -u

fail() {
    echo "measure-idle: $*" >&2
    exit 1
}

here=$(cd "$(dirname "$0")/.." && pwd)
orvet=$(realpath "${1:-$here/build/default/orvet}") || fail "no game binary"
shift $(($# > 0 ? 1 : 0))
states=("$@")
[ ${#states[@]} -gt 0 ] || states=(still menu help chooser minimized attractor drag)
seconds=${IDLE_SECONDS:-10}
[ -x "$orvet" ] || fail "$orvet is not an executable"
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (tools/setup.sh installs it)"
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
game_pid=""
drag_pid=""
stop_game() {
    [ -n "$drag_pid" ] && kill "$drag_pid" 2>/dev/null && wait "$drag_pid" 2>/dev/null
    drag_pid=""
    [ -n "$game_pid" ] || return 0
    # SDL turns SIGTERM into a close request: the game ends and reports.
    kill -TERM "$game_pid" 2>/dev/null
    for _ in $(seq 50); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
    game_pid=""
}
cleanup() {
    stop_game
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself, so parallel runs cannot collide.
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
export DISPLAY="$display"
unset SDL_VIDEODRIVER

# A window manager, as on a desktop: it decorates, focuses and minimizes.
if command -v openbox >/dev/null; then
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    wm="openbox"
else
    wm="none (minimizing needs one)"
fi

# The puzzles are copied so that nothing is written beside the originals.
mkdir -p "$work/play" "$work/choose" || fail "no work directory"
cp "$here"/puzzles/*.zag "$work/choose/" || fail "cannot copy the puzzles"
cp "$here/puzzles/01-pocetak.zag" "$work/play/still.zag"
cp "$here/puzzles/03-privlacenje.zag" "$work/play/turning.zag"
{
    printf '"LVL"\r\n49,"code"\r\n'
    awk 'BEGIN { srand(7); for (i = 0; i < 501; i++)
                   printf "%d,%d,%d,", 5 + int(rand() * 630), 5 + int(rand() * 470), -32 + i % 32 }'
    printf '"points"\r\n24,"paths"\r\n320,240,"attractor"\r\n\r\n0\r\n"END"\r\n'
} >"$work/play/worst.zag"

# Starts the game in directory $1 with arguments $2...; sets $game_pid and
# $window.
start_game() {
    local dir=$1
    shift
    (cd "$dir" && exec env ORVET_STATS=1 "$orvet" "$@") >"$work/orvet.log" 2>&1 &
    game_pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Orvet' 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "no game window appeared; output: $(cat "$work/orvet.log")"
    sleep 1 # past start-up and the first frames
}

click() { # button x y, in the game's pixels
    xdotool mousemove --window "$window" "$2" "$3" click "$1" || fail "could not click"
    sleep 0.5
}

# The centre of the first knot's marker: a 3x3 square of palette entry 1 (the
# colour of the handle lines too) inside a black square outline; sets
# $knot_x and $knot_y.
find_knot() {
    timeout 20 import -window "$window" "$work/shot.png" || fail "no screenshot"
    read -r knot_x knot_y < <(convert "$work/shot.png" -crop 640x480+0+0 txt:- |
        grep -E '#CACAFF|#000000' | awk -F'[,: ]+' '
        { c[$1 "," $2] = /#CACAFF/ ? 1 : 2 }
        END {
            for (k in c) {
                if (c[k] != 1) continue
                split(k, p, ",")
                x = p[1]; y = p[2]
                if (c[(x - 2) "," (y - 2)] == 2 && c[(x + 2) "," (y + 2)] == 2 &&
                    c[(x - 2) "," (y + 2)] == 2 && c[(x + 2) "," (y - 2)] == 2) {
                    print x, y
                    exit
                }
            }
        }')
    [ -n "${knot_x:-}" ] || fail "the first knot's marker is not on the screen"
}

# Moves the held pointer around a circle through the knot, every 10 ms.
start_drag() {
    xdotool mousemove --window "$window" "$knot_x" "$knot_y" mousedown 1 || fail "no press"
    sleep 0.2
    local steps=$((seconds * 100 + 200))
    awk -v w="$window" -v x="$knot_x" -v y="$knot_y" -v n="$steps" 'BEGIN {
        cx = x < 320 ? x + 60 : x - 60
        a0 = x > cx ? 0 : 3.14159265
        for (i = 0; i < n; i++) {
            a = a0 + i * 0.02
            printf "mousemove --window %s %d %d sleep 0.01\n", w, cx + 60 * cos(a), y + 60 * sin(a)
        }
    }' >"$work/drag.xdo"
    xdotool "$work/drag.xdo" >/dev/null 2>&1 &
    drag_pid=$!
}

ticks=$(getconf CLK_TCK)
cpu_ticks() {
    # Fields 14 and 15 of /proc/PID/stat, counted after the command name,
    # which is in parentheses and may hold blanks.
    sed 's/^.*) //' "/proc/$game_pid/stat" | awk '{ print $12 + $13 }'
}
wakeups() {
    cat /proc/"$game_pid"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
# The game's own clock and pictures shown so far, from its latest stats line.
shown() {
    awk '/^orvet stats:/ {
        t = $3
        if (match($0, /[0-9]+ presents/)) p = substr($0, RSTART, RLENGTH - 9)
    } END { print t + 0, p + 0 }' "$work/orvet.log"
}

# Measures the running game for $seconds; prints one row with the target.
measure() {
    local name=$1 target=$2
    local cpu0 cpu1 sw0 sw1 t0 t1 clock0 clock1 shown0 shown1
    # The game writes its counts once a second: let one be written in the
    # new state before the counting starts.
    sleep 1.1
    read -r clock0 shown0 < <(shown)
    cpu0=$(cpu_ticks)
    sw0=$(wakeups)
    t0=$(date +%s.%N)
    sleep "$seconds"
    cpu1=$(cpu_ticks)
    sw1=$(wakeups)
    t1=$(date +%s.%N)
    read -r clock1 shown1 < <(shown)
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the $name measurement"
    awk -v n="$name" -v c0="$cpu0" -v c1="$cpu1" -v s0="$sw0" -v s1="$sw1" -v t0="$t0" \
        -v t1="$t1" -v k="$ticks" -v a="$clock0" -v b="$clock1" -v p="$shown0" -v q="$shown1" \
        -v g="$target" 'BEGIN {
        d = t1 - t0
        pps = b > a ? sprintf("%.1f", (q - p) / (b - a)) : "-"
        printf "%-10s %6.2f%% %9.1f %10s   %s\n", n, (c1 - c0) / k / d * 100, (s1 - s0) / d, pps, g }'
}

echo "window manager: $wm; $seconds s per state; $orvet"
printf "%-10s %7s %9s %10s   %s\n" state CPU wakeups/s presents/s target
for state in "${states[@]}"; do
    case $state in
        still)
            start_game "$work/play" still.zag
            measure still "CPU <= 1%, wake-ups <= 130/s"
            ;;
        menu)
            start_game "$work/play" still.zag
            click 3 3 3
            measure menu "CPU <= 1%, wake-ups <= 130/s"
            ;;
        help)
            start_game "$work/play" still.zag
            click 3 3 3
            click 1 320 375
            measure help "CPU <= 1%, wake-ups <= 130/s"
            ;;
        chooser)
            start_game "$work/choose"
            measure chooser "CPU <= 1%, wake-ups <= 130/s"
            ;;
        minimized)
            start_game "$work/play" turning.zag
            xdotool windowminimize --sync "$window" || fail "could not minimize"
            sleep 0.5
            measure minimized "CPU <= 0.3%, wake-ups <= 15/s"
            ;;
        attractor)
            start_game "$work/play" turning.zag
            measure attractor "CPU <= 10%"
            ;;
        drag)
            start_game "$work/play" still.zag pravi
            find_knot
            start_drag
            sleep 0.5
            measure drag "presents >= 30/s"
            ;;
        worst)
            start_game "$work/play" worst.zag
            measure worst "(no target)"
            ;;
        *) fail "unknown state $state" ;;
    esac
    stop_game
    grep '^orvet stats:' "$work/orvet.log" | tail -n 1 | sed 's/^/    /'
done
