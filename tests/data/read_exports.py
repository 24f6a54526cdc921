#!/usr/bin/env python3
"""Reads an export's XML, CSV and TXT files with Python's own parsers, which share no code with
the component, and prints each row as "FORMAT hex,hex,…" (each field's UTF-8 bytes in hex).

Exits 1 with a message when a file does not parse.
"""
import csv
import sys
import xml.dom.minidom


def hexed(fields):
    return ",".join(f.encode("utf-8", "surrogateescape").hex() for f in fields)


def main(base):
    doc = xml.dom.minidom.parse(base + ".xml")
    for item in doc.documentElement.childNodes:
        if item.nodeType != item.ELEMENT_NODE:
            continue
        row = []
        for field in item.childNodes:
            if field.nodeType == field.ELEMENT_NODE:
                row.append("".join(t.data for t in field.childNodes if t.nodeType == t.TEXT_NODE))
        print("xml " + hexed(row))
    with open(base + ".csv", encoding="utf-8", errors="surrogateescape", newline="") as f:
        for row in list(csv.reader(f, delimiter=";", quotechar='"'))[1:]:
            print("csv " + hexed(row))
    with open(base + ".txt", "rb") as f:
        lines = f.read().split(b"\r\n")
    if lines[-1] != b"":
        sys.exit("the TXT file does not end with a line end")
    for line in lines[1:-1]:
        print("txt " + hexed(line.decode("utf-8", "surrogateescape").split("\t")))


if __name__ == "__main__":
    try:
        main(sys.argv[1])
    except Exception as e:  # any parser's complaint is the finding
        sys.exit(f"{type(e).__name__}: {e}")
