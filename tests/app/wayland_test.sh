#!/usr/bin/env bash
# The game on a Wayland compositor (weston without a screen): it starts,
# stays up and ends cleanly when asked to.
#   wayland_test.sh <folder of the built program>
set -euo pipefail
bin=$1
scratch=$(mktemp -d)
weston_pid=
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
export XDG_RUNTIME_DIR=$scratch/run SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/snapstorm" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY

weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 >"$scratch/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-test" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wayland-test" ] || { echo "weston did not start"; cat "$scratch/weston.log"; exit 1; }

# A copy of its own, so its settings (language chosen) stay in the scratch folder.
game=$scratch/game
mkdir -p "$game"
cp "$bin/snapstorm" "$game/"
for file in "$bin"/*.lng "$bin"/*.html "$bin"/*.so "$bin/icons" "$bin/design"; do ln -s "$file" "$game/"; done
printf 'Language=english.lng\n' >"$game/snapstorm.ini"
WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland "$game/snapstorm" 2>"$scratch/game.log" &
game_pid=$!
sleep 5
kill -0 "$game_pid" || { echo "the game did not stay up"; cat "$scratch/game.log"; exit 1; }
kill -TERM "$game_pid"
status=0
wait "$game_pid" || status=$?
[ "$status" -eq 0 ] || { echo "the game ended with $status"; cat "$scratch/game.log"; exit 1; }
echo "played on Wayland"
