#!/usr/bin/env python3
"""Reads the program's CSV export with Python's csv module and checks every cell.

Usage: check_export.py SAMPLE_EXPORT_PROGRAM
The program writes sample.csv and expected.json into the folder it is given.
"""
import csv
import json
import os
import subprocess
import sys
import tempfile

BOM = b"\xef\xbb\xbf"


def main():
    program = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([program, folder], check=True)
        with open(os.path.join(folder, "expected.json"), encoding="utf-8") as f:
            expected = json.load(f)["rows"]
        path = os.path.join(folder, "sample.csv")
        with open(path, "rb") as f:
            raw = f.read()
        # The default dialect is the spreadsheet one: comma, double quotes doubled inside.
        with open(path, encoding="utf-8-sig", newline="") as f:
            rows = list(csv.reader(f, strict=True))

    failures = []
    if not raw.startswith(BOM):
        failures.append("the file does not start with a byte-order mark")
    # Values carry their line breaks as LF, so every CR is part of a row end.
    crlf, cr = raw.count(b"\r\n"), raw.count(b"\r")
    if crlf != len(expected) or cr != len(expected):
        failures.append(f"{len(expected)} rows, but {crlf} CR LF and {cr} CR")
    if len(rows) != len(expected):
        failures.append(f"read {len(rows)} rows, expected {len(expected)}")
    for r, (got, want) in enumerate(zip(rows, expected), start=1):
        if len(got) != len(want):
            failures.append(f"row {r}: read {len(got)} cells, expected {len(want)}")
        for c, (g, w) in enumerate(zip(got, want), start=1):
            if g != w:
                failures.append(f"row {r}, column {c}: read {g!r}, expected {w!r}")

    for failure in failures:
        print(failure)
    print(f"{len(rows)} rows checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
