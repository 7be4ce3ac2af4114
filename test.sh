#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless, then builds
# and runs them again under AddressSanitizer and UBSan (folder build-asan).
# A failing test or any sanitizer finding fails the run.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
status=0
run_tests default "$@" || status=1
echo "== The same tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
build_sanitized
run_tests asan "$@" || status=1
exit "$status"
