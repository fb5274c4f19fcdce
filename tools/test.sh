#!/usr/bin/env bash
# Builds and runs every test headless. PRESET=ci adds warnings as errors, PRESET=sanitize
# builds with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${PRESET:-default}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j2
