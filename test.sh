#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
cd "$SNAPSTORM_ROOT"
ctest --preset default -j2 "$@"
