#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the program.
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
          libgl-dev libsqlite3-dev clang-format
          # Qt's own dialogs in Italian, and the SVG icon engine of the toolbar.
          qt6-translations-l10n libqt6svg6
          # Printouts: the faces metric-compatible with the ones they name, and PDF pages for
          # the tests to look at.
          fonts-liberation qt6-pdf-dev
          # Print queues asked whether they take a job, and whether they took it.
          libcups2-dev
          # The statistics chart.
          qt6-charts-dev libqt6opengl6-dev
          # The dictation's player.
          qt6-multimedia-dev
          # The Debian package: its library dependencies (dpkg-shlibdeps, which needs file), and
          # the linters of its menu entry, AppStream data and manual pages.
          dpkg-dev file desktop-file-utils appstream man-db)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
