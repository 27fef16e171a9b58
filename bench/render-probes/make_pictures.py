#!/usr/bin/env python3
"""Writes the pictures the render probes use into a folder (default: here).

Solid colours and hard-edged tiles only, so that every checked point has one
exact colour whatever the scaler does away from the edges.
"""
import os
import struct
import sys
import zlib

RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)
MAGENTA = (255, 0, 255)


def checker(size, a, b):
    half = size // 2
    return [[a if (x < half) == (y < half) else b for x in range(size)]
            for y in range(size)]


def solid(w, h, c):
    return [[c] * w for _ in range(h)]


def png(rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def gif(rows):
    h, w = len(rows), len(rows[0])
    palette = []
    for row in rows:
        for px in row:
            if px not in palette:
                palette.append(px)
    index = {c: i for i, c in enumerate(palette)}
    colours = palette + [(0, 0, 0)] * (256 - len(palette))
    # LZW with 8-bit literals only: a clear code every 250 literals keeps the
    # code width at 9 bits, which every decoder reads.
    codes, run = [256], 0
    for row in rows:
        for px in row:
            if run == 250:
                codes.append(256)
                run = 0
            codes.append(index[px])
            run += 1
    codes.append(257)
    bits = nbits = 0
    data = bytearray()
    for code in codes:
        bits |= code << nbits
        nbits += 9
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 0xFF)
    blocks = b"".join(bytes([len(data[i:i + 255])]) + bytes(data[i:i + 255])
                      for i in range(0, len(data), 255))
    return (b"GIF89a" + struct.pack("<HHBBB", w, h, 0xF7, 0, 0)
            + bytes(v for c in colours for v in c)
            + b"," + struct.pack("<HHHHB", 0, 0, w, h, 0)
            + b"\x08" + blocks + b"\0;")


PICTURES = {
    "checker.png": lambda: png(checker(20, RED, BLUE)),
    "checker.gif": lambda: gif(checker(20, RED, BLUE)),
    "dot.png": lambda: png(solid(20, 20, GREEN)),
    "green50.png": lambda: png(solid(50, 50, GREEN)),
    "blue50.gif": lambda: gif(solid(50, 50, BLUE)),
    "magenta10.png": lambda: png(solid(10, 10, MAGENTA)),
    "css/mark.png": lambda: png(solid(10, 10, BLUE)),
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, make in PICTURES.items():
        path = os.path.join(out, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(make())


if __name__ == "__main__":
    main()
