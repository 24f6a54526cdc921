#!/usr/bin/env python3
"""An independent dBase III reader: prints each record as FIELD=value lines.

Used by the tests to check that files written by the component open in a reader that shares no
code with it. Exits 1 with a message when the layout is off.
"""
import struct
import sys


def main(path):
    data = open(path, "rb").read()
    version, yy, mm, dd, count, header_len, record_len = struct.unpack("<BBBBIHH", data[:12])
    fields = []
    pos = 32
    while data[pos] != 0x0D:
        name = data[pos:pos + 11].split(b"\0")[0].decode("cp1252")
        ftype = chr(data[pos + 11])
        length = data[pos + 16]
        fields.append((name, ftype, length))
        pos += 32
    if pos + 1 != header_len:
        sys.exit(f"header length {header_len}, descriptors end at {pos + 1}")
    if 1 + sum(f[2] for f in fields) != record_len:
        sys.exit(f"record length {record_len} does not match the fields")
    if data[header_len + count * record_len] != 0x1A:
        sys.exit("no end-of-file byte after the records")
    print(f"version={version} records={count} fields=" + ",".join(f"{n}:{t}{l}" for n, t, l in fields))
    for r in range(count):
        rec = data[header_len + r * record_len: header_len + (r + 1) * record_len]
        at = 1
        values = []
        for name, _, length in fields:
            values.append(f"{name}={rec[at:at + length].decode('cp1252').rstrip()}")
            at += length
        print(("*" if rec[0:1] == b"*" else "") + "|".join(values))


if __name__ == "__main__":
    main(sys.argv[1])
