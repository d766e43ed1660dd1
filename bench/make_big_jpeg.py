#!/usr/bin/env python3
"""Writes a large synthetic JPEG for throughput runs: the headers of a real
small JPEG (made by cjpeg) with Exif and a comment added, then SIZE bytes of
random entropy-coded data (every 0xFF stuffed, as an encoder would), EOI and a
vendor trailer. The structure is what jhead walks; the pixels are noise."""
import os
import subprocess
import sys


def real_headers():
    ppm = b"P6\n16 16\n255\n" + bytes(range(256)) * 3
    jpeg = subprocess.run(["cjpeg"], input=ppm, capture_output=True, check=True).stdout
    # Walk the segments up to and including the scan header.
    i = 2
    while True:
        assert jpeg[i] == 0xFF
        marker = jpeg[i + 1]
        length = jpeg[i + 2] << 8 | jpeg[i + 3]
        i += 2 + length
        if marker == 0xDA:
            return jpeg[:i]


def segment(marker, payload):
    return bytes([0xFF, marker, (len(payload) + 2) >> 8, (len(payload) + 2) & 0xFF]) + payload


def main():
    path, size = sys.argv[1], int(sys.argv[2])
    head = real_headers()
    exif = segment(0xE1, b"Exif\0\0MM\0\x2a\0\0\0\x08\0\0\0\0\0\0" + b"\0" * 4000)
    comment = segment(0xFE, b"synthetic picture for throughput runs")
    with open(path, "wb") as f:
        f.write(head[:2] + exif + comment + head[2:])
        written = 0
        while written < size:
            chunk = os.urandom(min(8 << 20, size - written)).replace(b"\xff", b"\xff\x00")
            f.write(chunk)
            written += len(chunk)
        f.write(b"\xff\xd9" + b"VENDOR TRAILER" * 1000)


main()
