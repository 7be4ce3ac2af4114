#!/usr/bin/env bash
# Installs the Debian packages Snapstorm needs (only those missing), then
# configures and builds. Sourced by run.sh and test.sh.
set -euo pipefail

SNAPSTORM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libsdl2-dev libgif-dev libjpeg62-turbo-dev libzip-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fonts-dejavu-core xdg-utils desktop-file-utils
)

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}

install_missing() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    echo "Installing: $missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    $sudo apt-get install -y -qq --no-install-recommends $missing
}

build() {
    cd "$SNAPSTORM_ROOT"
    cmake --preset default >/dev/null
    cmake --build --preset default
}

install_missing
build
