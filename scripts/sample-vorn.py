#!/usr/bin/env python3
"""Writes a small sample vorn to stdout (for `make sample` and the README screenshot)."""
import sys

SEP = "\x0b"  # in front of every list item


def enc_str(text):
    out = []
    for byte in text.encode("utf-8"):
        c = chr(byte)
        if c.isascii() and c.isalnum():
            out.append(c)
        elif c == " ":
            out.append("_")
        else:
            out.append("%%%02X" % byte)
    return "".join(out)


def enc_num(n):
    return "#%d" % n


# type, left, top, header position, default value, header
boxes = [
    (1, 2400, 1100, 1, "", "Кличка"),
    (1, 5700, 1100, 1, "", "Вид"),
    (5, 2400, 1900, 5, "", "Возраст"),
    (2, 2400, 2600, 1, "", "Заметки"),
    (4, 5900, 2600, 1, "", "Прививки"),
]
entries = [
    ["Мурка", "кошка", "3", "Любит спать на подоконнике.\r\nБоится пылесоса.",
     SEP + "бешенство" + SEP + "панлейкопения"],
    ["Бобик", "собака", "5", "Охраняет двор, ест всё подряд.",
     SEP + "бешенство" + SEP + "чумка" + SEP + "лептоспироз"],
    ["Кеша", "попугай", "2", "Знает двадцать слов.", ""],
    ["Ёжик", "ёж", "1", "Приходит по вечерам за молоком.", ""],
]

lines = [enc_str("version ") + enc_num(1), enc_str("Зоопарк"), enc_num(len(boxes)),
         enc_num(len(entries)), enc_num(9900), enc_num(7725)]
for kind, left, top, pose, value, header in boxes:
    lines += [enc_num(kind), enc_num(left), enc_num(top), enc_num(pose), enc_str(value),
              enc_str(header)]
lines += [enc_num(1), enc_str("")]
for entry in entries:
    lines += [enc_str(v) for v in entry]
lines += [enc_num(j + 1) for j in range(len(boxes))]
sys.stdout.write("".join(line + "\r\n" for line in lines))
