#!/usr/bin/env python3
"""Writes a PNG copy of each Typekiln page image given (32-bit TGA, or 4/8-bit
BMP with the palette's alpha in its reserved byte), beside the original:
font_00.tga -> font_00.tga.png. Uses only the standard library."""
import struct
import sys
import zlib


def read_tga(data):
    width, height = struct.unpack_from("<HH", data, 12)
    if data[2] != 2 or data[16] != 32:
        raise ValueError("not an uncompressed 32-bit TGA")
    rows = []
    top_down = data[17] & 0x20
    for y in range(height):
        start = 18 + y * width * 4
        row = bytearray()
        for x in range(width):
            b, g, r, a = data[start + 4 * x:start + 4 * x + 4]
            row += bytes((r, g, b, a))
        rows.append(bytes(row))
    return width, height, rows if top_down else rows[::-1]


def read_bmp(data):
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    if bits not in (4, 8):
        raise ValueError("not a 4- or 8-bit BMP")
    palette = []
    for i in range(1 << bits):
        b, g, r, a = data[54 + 4 * i:58 + 4 * i]
        palette.append(bytes((r, g, b, a)))
    stride = ((width * bits + 31) // 32) * 4
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        row = bytearray()
        for x in range(width):
            byte = data[start + (x * bits) // 8]
            index = byte if bits == 8 else (byte >> 4 if x % 2 == 0 else byte & 0x0F)
            row += palette[index]
        rows.append(bytes(row))
    return width, abs(height), rows[::-1] if height > 0 else rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 6)))
        out.write(chunk(b"IEND", b""))


def main(paths):
    for path in paths:
        with open(path, "rb") as f:
            data = f.read()
        width, height, rows = read_bmp(data) if data[:2] == b"BM" else read_tga(data)
        write_png(path + ".png", width, height, rows)
        print(path + ".png")


if __name__ == "__main__":
    main(sys.argv[1:])
