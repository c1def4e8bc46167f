#!/usr/bin/env python3
"""Writes CSV files with Python's csv module, as other programs would, for the import tests.

Usage: write_files.py FOLDER
Next to the files, manifest.json lists each one with the rows written, the box kinds the
import should make of its columns, or the end of the refusal it should give.
"""
import csv
import json
import os
import sys

PETS = [
    ["Имя", "Возраст", "Заметка", "Адрес"],
    ["Мурка", "3", "ест рыбу\nспит днём", "ул. Ленина, д. 5; кв. 2"],
    ['Кот "Барсик"', "-12", "", "нет"],
    ["", "", "одна строка", ""],
    ["Ёжик", "32767", "", "\t"],
]
PET_KINDS = ["phrase", "number", "text", "phrase"]


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    files = []

    def add(name, rows, kinds=None, error=None, encoding="utf-8", **form):
        with open(os.path.join(folder, name), "w", encoding=encoding, newline="") as f:
            csv.writer(f, **form).writerows(rows)
        files.append({"name": name, "rows": rows, "kinds": kinds, "error": error})

    add("semicolon.csv", PETS, PET_KINDS, delimiter=";")
    add("bom.csv", PETS, PET_KINDS, encoding="utf-8-sig")
    add("tab.csv", PETS, PET_KINDS, dialect="excel-tab")
    add("cp1251.csv", PETS, PET_KINDS, encoding="cp1251", delimiter=";")
    many = [["№", "Имя", "Заметка"]]
    many += [[str(i), f"Запись {i}", f"строка {i}\nещё одна"] for i in range(1, 521)]
    add("many_rows.csv", many, ["number", "phrase", "text"])
    wide = [[f"Столбец {c}" for c in range(1, 52)], [str(c) for c in range(1, 52)]]
    add("wide.csv", wide, error="В файле 51 столбец, а ворн вмещает не больше 50.")

    with open(os.path.join(folder, "manifest.json"), "w", encoding="utf-8") as f:
        json.dump({"files": files}, f, ensure_ascii=False, indent=1)


if __name__ == "__main__":
    main()
