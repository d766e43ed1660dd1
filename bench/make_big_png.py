#!/usr/bin/env python3
"""Writes a large synthetic PNG for throughput runs: signature, IHDR, a text
chunk and an Exif chunk, then SIZE bytes of picture data cut into 8 KiB IDAT
chunks as libpng writes them (the worst case for a chunk walk), each with its
CRC, IEND and a trailer. The structure is what jhead walks and checks; the
pixel data is noise, not inflatable."""
import os
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def main():
    path, size = sys.argv[1], int(sys.argv[2])
    tiff = b"MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0"
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 4096, 4096, 8, 2, 0, 0, 0)))
        f.write(chunk(b"tEXt", b"Author\0Ann") + chunk(b"eXIf", tiff))
        block = os.urandom(1 << 20)
        for at in range(0, size, 8192):
            n = min(8192, size - at)
            f.write(chunk(b"IDAT", block[at % (1 << 20):][:n]))
        f.write(chunk(b"IEND", b"") + b"trailer")


main()
