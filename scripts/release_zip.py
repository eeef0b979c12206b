#!/usr/bin/python3
"""Writes the release zip and its SHA-256 checksum file, the same bytes for the same files.

Usage: release_zip.py ZIP FILE...   (each FILE stored under its own name, in the given order)

Every entry has the same time (the start of 2026), the same mode and no extra fields. README.txt
is stored with CR LF line ends and a UTF-8 byte-order mark, as Notepad expects. A program's
header loses the time stamp that stripping writes into it (its checksum is made again); every
other file is stored as it is.
"""
import hashlib
import struct
import sys
import zipfile
from pathlib import Path

FIXED_TIME = (2026, 1, 1, 0, 0, 0)
BOM = b"\xef\xbb\xbf"


def pe_checksum(data, checksum_offset):
    """The checksum of a program's header: 16-bit sums of the file without the field, folded,
    plus the file's length."""
    total = 0
    for (word,) in struct.iter_unpack("<H", data + b"\0" * (len(data) % 2)):
        total += word
    total -= sum(struct.unpack_from("<HH", data, checksum_offset))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


def without_time_stamp(data):
    data = bytearray(data)
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    struct.pack_into("<I", data, pe + 8, 0)  # the file header's TimeDateStamp
    checksum_offset = pe + 24 + 64  # the optional header's CheckSum
    struct.pack_into("<I", data, checksum_offset, 0)
    struct.pack_into("<I", data, checksum_offset, pe_checksum(bytes(data), checksum_offset))
    return bytes(data)


def contents(path):
    data = path.read_bytes()
    if path.suffix == ".exe":
        return without_time_stamp(data)
    if path.name != "README.txt":
        return data
    text = data.removeprefix(BOM).replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return BOM + text


def main(zip_path, files):
    zip_path = Path(zip_path)
    with zipfile.ZipFile(zip_path, "w") as archive:
        for name in files:
            path = Path(name)
            entry = zipfile.ZipInfo(path.name, date_time=FIXED_TIME)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.external_attr = 0o644 << 16
            entry.create_system = 0
            archive.writestr(entry, contents(path), compresslevel=9)
    digest = hashlib.sha256(zip_path.read_bytes()).hexdigest()
    Path(str(zip_path) + ".sha256").write_text(f"{digest}  {zip_path.name}\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
