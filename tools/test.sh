#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless. PRESET=ci adds warnings as errors, PRESET=sanitize
# builds with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
preset=${PRESET:-default}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j2
