#!/usr/bin/env bash
# Builds the Debian package (quadrigo13_VERSION_ARCH.deb) and prints its path: a release build of
# the two programs and their manual pages, without the tests, in build-release, then cpack.
# BUILD_DIR=DIR packages a build that already exists instead (CI packages the build it tested).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
if [ -z "${BUILD_DIR:-}" ]; then
    BUILD_DIR=build-release
    cmake --preset release >/dev/null
    cmake --build --preset release
fi
out="$(cd "$BUILD_DIR" && pwd)/package"
rm -f "$out"/*.deb
(cd "$BUILD_DIR" && cpack -G DEB -B "$out" >/dev/null)
ls "$out"/*.deb
