#!/usr/bin/env bash
# Installs what is missing, builds and starts Snapstorm.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
exec "$SNAPSTORM_ROOT/build/bin/snapstorm" "$@"
