#!/usr/bin/env python3
"""Reads the program's CSV export with Python's csv module and checks every cell.

Usage: check_export.py SAMPLE_EXPORT_PROGRAM
The program writes the file it is given and prints the rows expected in it as JSON.
"""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile


def main():
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "sample.csv")
        program = subprocess.run([sys.argv[1], path], check=True, stdout=subprocess.PIPE)
        expected = json.loads(program.stdout)
        with open(path, "rb") as f:
            raw = f.read()
    # The default dialect is the spreadsheet one: comma, double quotes doubled inside.
    rows = list(csv.reader(io.StringIO(raw.decode("utf-8-sig"), newline=""), strict=True))

    failures = []
    if not raw.startswith(b"\xef\xbb\xbf"):
        failures.append("the file does not start with a byte-order mark")
    # Values carry their line breaks as LF, so every CR is part of a row end.
    crlf, cr = raw.count(b"\r\n"), raw.count(b"\r")
    if crlf != len(expected) or cr != len(expected):
        failures.append(f"{len(expected)} rows, but {crlf} CR LF and {cr} CR")
    if len(rows) != len(expected):
        failures.append(f"read {len(rows)} rows, expected {len(expected)}")
    for r, (got, want) in enumerate(zip(rows, expected), start=1):
        if got != want:
            failures.append(f"row {r}: read {got!r}, expected {want!r}")

    for failure in failures:
        print(failure)
    print(f"{len(rows)} rows checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
