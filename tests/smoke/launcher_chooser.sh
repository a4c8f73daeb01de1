#!/usr/bin/env bash
# The run command's path in a real X window: the launcher finds the game (or
# stops before it makes anything), copies the bundled pack into the per-user
# folder without overwriting what is there, the game starts in that folder
# with its chooser over the pack, and a click on the first name opens that
# puzzle's first level.
# Usage: launcher_chooser.sh BUILD_DIR WM_CLOSE_BINARY
set -u

fail() {
    echo "FAIL: launcher and chooser smoke test: $*"
    exit 1
}

[ $# -eq 2 ] || fail "usage: launcher_chooser.sh BUILD_DIR WM_CLOSE_BINARY"
build=$(realpath "$1") || fail "no build directory $1"
wm_close=$(realpath "$2") || fail "no wm_close binary $2"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
. "$(dirname "$0")/xvfb.sh"

# From a source tree without --build-dir: with no build there, the launcher
# stops with a message before it makes the per-user folder; with one, it
# runs that build's game in the folder, over the tree's pack.
tree="$work/tree"
mkdir -p "$tree/tools" "$tree/puzzles"
cp "$source_dir/tools/orvet-launch" "$tree/tools/"
cp "$source_dir/puzzles/01-pocetak.zag" "$tree/puzzles/"
XDG_DATA_HOME="$work/tree-data" "$tree/tools/orvet-launch" >"$work/launch.log" 2>&1 &&
    fail "the launcher started without a game to run"
grep -q -- '--build-dir' "$work/launch.log" || fail "no clear message: $(cat "$work/launch.log")"
[ -e "$work/tree-data" ] && fail "the launcher made $work/tree-data before it stopped"
mkdir -p "$tree/build/ci"
printf '#!/bin/sh\necho "$(pwd) $*"\n' >"$tree/build/ci/orvet"
chmod +x "$tree/build/ci/orvet"
ran=$(XDG_DATA_HOME="$work/tree-data" "$tree/tools/orvet-launch" a.zag pravi) ||
    fail "the launcher did not run the tree's build"
[ "$ran" = "$work/tree-data/orvet/puzzles a.zag pravi" ] || fail "the tree's build ran as '$ran'"
[ -f "$work/tree-data/orvet/puzzles/01-pocetak.zag" ] || fail "the tree's pack was not copied"

start_xvfb

# A player's folder that already holds an edited copy of the first puzzle
# (another stored checksum) and a saved game: neither may be overwritten.
export XDG_DATA_HOME="$work/data"
target="$XDG_DATA_HOME/orvet/puzzles"
mkdir -p "$target"
sed 's/^[0-9][0-9]*\r$/12345\r/' "$source_dir/puzzles/01-pocetak.zag" >"$target/01-pocetak.zag"
cmp -s "$source_dir/puzzles/01-pocetak.zag" "$target/01-pocetak.zag" && fail "could not edit the copy"
printf 'kept\r\n' >"$target/01-pocetak.zap"
cp "$target/01-pocetak.zag" "$work/kept.zag"

"$source_dir/tools/orvet-launch" --build-dir "$build" >"$work/orvet.log" 2>&1 &
game_pid=$!
find_window
wait_for_title '^Orvet: Odaberi zagonetku$'

for f in "$source_dir"/puzzles/*.zag; do
    name=$(basename "$f")
    [ -f "$target/$name" ] || fail "$name was not copied into $target"
    [ "$name" = 01-pocetak.zag ] || cmp -s "$f" "$target/$name" || fail "$name differs from the pack"
done
cmp -s "$work/kept.zag" "$target/01-pocetak.zag" || fail "the player's puzzle was overwritten"
[ "$(cat "$target/01-pocetak.zap")" = $'kept\r' ] || fail "the player's saved game was overwritten"

# The chooser draws one name per row (rows of 30 pixels from the top, text
# from x = 20) and the exit row at the bottom.
sleep 1
frame_shot "$work/chooser.png"
count=$(ls "$source_dir"/puzzles/*.zag | wc -l)
for row in $(seq 0 $((count - 1))); do
    ink=$(count_colour "$work/chooser.png" "300x22+20+$((30 * row + 4))" '#000000')
    [ "$ink" -gt 20 ] || fail "row $row of the chooser shows no name ($ink dark pixels)"
done
ink=$(count_colour "$work/chooser.png" "300x22+20+$((30 * count + 4))" '#000000')
[ "$ink" -eq 0 ] || fail "the chooser shows more rows than the pack has puzzles"

# A click on the first row opens that puzzle: the title names it and its
# first level's points (green circles) are drawn.
eval "$(xdotool getwindowgeometry --shell "$window")"
scale=$((WIDTH / 640))
xdotool mousemove --window "$window" $((60 * scale)) $((15 * scale)) || fail "could not move the pointer"
sleep 0.3
xdotool click 1 || fail "could not click"
wait_for_title '^Orvet: 0[0-9]-[a-z]+$'
sleep 1
frame_shot "$work/level.png"
green=$(count_colour "$work/level.png" 640x480+0+0 '#00AA00')
[ "$green" -gt 10 ] || fail "the first level shows no points after choosing '$title'"

"$wm_close" "$window" || fail "could not send the close request"
expect_clean_exit "the close request"
echo "PASS: launcher and chooser smoke test ($count puzzles listed, '$title' opened)"
