#!/bin/sh
# expect-run.sh CODE STREAM TEXT PROGRAM [ARGS...]
# Runs PROGRAM with ARGS and checks that it exits with CODE and that what it wrote to STREAM
# (out or err) contains TEXT ("-": anything). CODE "running" means the program is still running after three
# seconds: it started up and waits for the user.
set -u
code=$1 stream=$2 text=$3
shift 3
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
if [ "$code" = running ]; then
    timeout 3 "$@" >"$out" 2>"$err"
    status=$?
    [ "$status" -eq 124 ] || { echo "exited with $status instead of running"; cat "$err"; exit 1; }
else
    "$@" >"$out" 2>"$err"
    status=$?
    [ "$status" -eq "$code" ] || { echo "exit code $status, expected $code"; cat "$out" "$err"; exit 1; }
fi
file=$out
[ "$stream" = err ] && file=$err
[ "$text" = - ] || grep -qF -- "$text" "$file" || { echo "no \"$text\" on std$stream:"; cat "$file"; exit 1; }
echo "ok"
