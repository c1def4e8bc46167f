#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop needs is there and valid.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/tessavorn share/applications/tessavorn.desktop share/mime/packages/tessavorn.xml \
         share/icons/hicolor/scalable/apps/tessavorn.svg share/icons/hicolor/48x48/apps/tessavorn.png \
         share/tessavorn/Readme.txt; do
    test -s "$prefix/$f" || { echo "missing after install: $f"; exit 1; }
done
out=$(desktop-file-validate "$prefix/share/applications/tessavorn.desktop" 2>&1) || true
[ -z "$out" ] || { echo "$out"; exit 1; }
# The installed program refuses an unknown option with exit code 2.
status=0
QT_QPA_PLATFORM=offscreen "$prefix/bin/tessavorn" --bogus 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "unexpected exit code $status"; exit 1; }
echo "install OK"
