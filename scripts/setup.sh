#!/usr/bin/env bash
# Installs the Debian packages Snapstorm needs (only those missing), then
# configures and builds. Sourced by run.sh and test.sh; test.sh also calls
# build_sanitized and run_tests.
set -euo pipefail

SNAPSTORM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-translations-l10n libgl-dev libsdl2-dev libgif-dev libjpeg62-turbo-dev libzip-dev zlib1g-dev libicu-dev
    libheif-dev libheif-examples qt6-image-formats-plugins libsndfile1-dev libsoxr-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fonts-dejavu-core xdg-utils desktop-file-utils
    zip unzip libarchive-tools python3
    appstream dpkg-dev file lintian shared-mime-info libfile-mimeinfo-perl
    xvfb xauth xdotool weston qt6-wayland
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

# build [preset]: configures and builds one preset's tree.
build() {
    local preset="${1:-default}"
    cd "$SNAPSTORM_ROOT"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
}

# The unit tests again, built with AddressSanitizer and UBSan; the preset
# carries the sanitizer options (the asset tool runs during this build).
build_sanitized() {
    build asan
}

# run_tests <preset> [ctest args...]: runs one tree's tests headless.
run_tests() {
    local preset="$1"
    shift
    cd "$SNAPSTORM_ROOT"
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --preset "$preset" -j2 "$@"
}

install_missing
build
