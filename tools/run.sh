#!/usr/bin/env bash
# Installs what is missing, builds and starts QUADRIGO 13.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/src/quadrigo13 "$@"
