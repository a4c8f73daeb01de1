#!/usr/bin/env bash
# Measures the game's processor use while it shows a level and gets no input:
# starts a private Xvfb (1600x1200, depth 24), runs the real orvet on a puzzle
# for IDLE_SECONDS (default 10), reads its user and system time from
# /proc/PID/stat before and after, prints that as a percentage of one core,
# then closes it with SIGTERM (which SDL turns into a close request).
#
# Usage: tools/measure-idle.sh [ORVET_BINARY [PUZZLE.zag]]
#   ORVET_BINARY defaults to build/default/orvet, PUZZLE to the bundled
#   puzzle whose first level has a turning attractor. PUZZLE "worst" makes a
#   level of 501 points, 24 segments and an attractor.
# With ORVET_STATS=1 (set here) the game also reports its passes per second
# and the mean time of one present.
set -u

fail() {
    echo "measure-idle: $*" >&2
    exit 1
}

here=$(cd "$(dirname "$0")/.." && pwd)
orvet=$(realpath "${1:-$here/build/default/orvet}") || fail "no game binary"
puzzle=${2:-$here/puzzles/03-privlacenje.zag}
seconds=${IDLE_SECONDS:-10}
[ -x "$orvet" ] || fail "$orvet is not an executable"
for tool in Xvfb xdotool; do
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

# The puzzle is copied so that nothing is written beside the original.
if [ "$puzzle" = worst ]; then
    {
        printf '"LVL"\r\n49,"code"\r\n'
        awk 'BEGIN { srand(7); for (i = 0; i < 501; i++)
                       printf "%d,%d,%d,", 5 + int(rand() * 630), 5 + int(rand() * 470), -32 + i % 32 }'
        printf '"points"\r\n24,"paths"\r\n320,240,"attractor"\r\n\r\n0\r\n"END"\r\n'
    } >"$work/idle.zag"
else
    cp "$puzzle" "$work/idle.zag" || fail "cannot copy $puzzle"
fi

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

cd "$work" || fail "no work directory"
ORVET_STATS=1 "$orvet" idle.zag >"$work/orvet.log" 2>&1 &
game_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Orvet' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no game window appeared; output: $(cat "$work/orvet.log")"
sleep 1  # past start-up and the first frames

ticks=$(getconf CLK_TCK)
cpu_ticks() {
    # Fields 14 and 15 of /proc/PID/stat, counted after the command name,
    # which is in parentheses and may hold blanks.
    sed 's/^.*) //' "/proc/$game_pid/stat" | awk '{ print $12 + $13 }'
}
before=$(cpu_ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(cpu_ticks)
end=$(date +%s.%N)
kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the measurement"

kill -TERM "$game_pid"
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
wait "$game_pid" 2>/dev/null
game_pid=""

awk -v b="$before" -v a="$after" -v t="$ticks" -v s="$start" -v e="$end" 'BEGIN {
    printf "idle CPU: %.1f%% of one core over %.1f s (target below 15%%)\n", (a - b) / t / (e - s) * 100, e - s }'
grep '^orvet stats:' "$work/orvet.log" || true
