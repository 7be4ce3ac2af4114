#!/usr/bin/env bash
# One game per player: a second start hands its design archive to the game
# that runs and ends; a socket a killed game left behind does not stop the
# next start.
#   single_instance_test.sh <folder of the built program>
set -euo pipefail
bin=$1
scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
export XDG_RUNTIME_DIR=$scratch/run QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"

# A portable copy of its own: its designs and settings beside it.
game=$scratch/game
mkdir -p "$game/design"
cp "$bin/snapstorm" "$game/"
for file in "$bin"/*.lng "$bin"/*.html "$bin"/*.so "$bin/icons"; do ln -s "$file" "$game/"; done
ln -s "$bin/design/Default" "$game/design/Default"
printf 'Language=english.lng\n' >"$game/snapstorm.ini"
mkdir "$scratch/zips"
(cd "$scratch/zips" && printf 'Author=Ann\r\n' >'!design.ini' && zip -q Sea.zip '!design.ini')

waitfor() { # waitfor <what> <test...>: up to 30 s
    local what=$1
    shift
    for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
    echo "never: $what"
    exit 1
}
socket() { ls -d "$XDG_RUNTIME_DIR"/snapstorm-* 2>/dev/null | grep -v '\.lock$' | head -1; }
listening() { [ -S "$(socket)" ]; }
replaced() { [ "$(stat -c %i "$(socket)" 2>/dev/null)" != "$1" ]; }

"$game/snapstorm" &
pids+=($!)
first=$!
waitfor "the first game listens" listening
(cd "$scratch/zips" && timeout 20 "$game/snapstorm" Sea.zip) || { echo "the second start did not end"; exit 1; }
waitfor "the design is imported into the first game" test -f "$game/design/Sea/!design.ini"
waitfor "the first game keeps the design as its choice" grep -q '^Design=Sea$' "$game/snapstorm.ini"
kill -0 "$first" || { echo "the first game ended"; exit 1; }
[ "$(pgrep -c -f "^$game/snapstorm")" -eq 1 ] || { echo "more than one game runs"; exit 1; }

# Killed, the first game leaves its socket; the next start plays all the same.
kill -9 "$first"
wait "$first" 2>/dev/null || true
listening || { echo "the killed game's socket is gone; nothing left to test"; exit 1; }
stale=$(stat -c %i "$(socket)")
"$game/snapstorm" &
pids+=($!)
next=$!
waitfor "the next game listens" replaced "$stale"
timeout 20 "$game/snapstorm" || { echo "a plain second start did not end"; exit 1; }
kill -0 "$next" || { echo "the next game did not start"; exit 1; }
kill -TERM "$next"
wait "$next" || { echo "the game did not end cleanly"; exit 1; }
echo "one game per player"
