#!/usr/bin/python3
"""Writes a one-volume RAR 4.x archive of stored entries with any names.

The rar tool refuses names such as ..\\x, \\x, c:\\x or CON; a test needs
archives that carry them. Every header has its correct CRC, the data is
stored (method 0x30) and the host system is Windows, so names keep their
backslashes.

Usage: rar4.py OUT.rar NAME=TEXT...   (each entry holds TEXT plus CRLF)
"""

import struct
import sys
import zlib

MARK = b"Rar!\x1a\x07\x00"
DOS_TIME = (21 << 25) | (9 << 21) | (14 << 16) | (12 << 11)  # 2001-09-14 12:00


def block(kind, flags, body):
    """A header: CRC16 (low half of CRC32), type, flags, size, body."""
    head = struct.pack("<BHH", kind, flags, 7 + len(body)) + body
    return struct.pack("<H", zlib.crc32(head) & 0xFFFF) + head


def entry(name, data):
    raw = name.encode("latin-1")
    body = struct.pack("<IIBIIBBHI", len(data), len(data), 2, zlib.crc32(data), DOS_TIME,
                       20, 0x30, len(raw), 0x20) + raw
    return block(0x74, 0x8000, body) + data


def archive(entries):
    out = MARK + block(0x73, 0, b"\0" * 6)
    for name, data in entries:
        out += entry(name, data)
    return out + block(0x7B, 0x4000, b"")


if __name__ == "__main__":
    pairs = [arg.split("=", 1) for arg in sys.argv[2:]]
    with open(sys.argv[1], "wb") as f:
        f.write(archive([(n, t.encode("latin-1") + b"\r\n") for n, t in pairs]))
