#!/usr/bin/env bash
# Checks a built package: its files are exactly those of data/package-contents.txt, it depends on
# the libraries and the run-time pieces the programs need, and its menu entry, AppStream data and
# manual pages pass their linters.
set -euo pipefail
cd "$(dirname "$0")/.."
deb="$1"
contents="$(mktemp)" unpacked="$(mktemp -d)"
trap 'rm -rf "$contents" "$unpacked"' EXIT
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "/", $6); print $6 }' | LC_ALL=C sort > "$contents"
diff -u data/package-contents.txt "$contents"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6multimedia6 libqt6sql6-sqlite libqt6svg6 qt6-translations-l10n \
              fonts-liberation; do
    grep -q "\b$needed\b" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
for page in "$unpacked"/usr/share/man/man1/*.1.gz; do
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done
echo "package checked: $deb"
