#!/bin/sh
# Builds a private MIME database from our package file and checks that *.vorn maps to our type.
set -eu
xml=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/packages"
cp "$xml" "$dir/packages/tessavorn.xml"
xmllint --noout "$xml"
update-mime-database "$dir" 2>&1 | tee "$dir/log"
! grep -qi -e error -e warning "$dir/log"
grep -q 'application/x-tessavorn-vorn:\*\.vorn' "$dir/globs"
test -f "$dir/application/x-tessavorn-vorn.xml"
echo "MIME type OK"
