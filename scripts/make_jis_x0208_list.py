#!/usr/bin/python3
"""Writes a Shift-JIS character list of every JIS X 0208 character (rows 1 to
8 and 16 to 84) that a TrueType font draws, for benchmarks with a long list.

    make_jis_x0208_list.py FONT.ttf OUTPUT.txt

A character counts as drawn when the font maps it to a glyph with an
outline; the full-width space and any character the font lacks are left
out, since the font tool stops at a character it cannot draw. Ten
characters to a line, CR LF line ends. Needs Debian's python3-fonttools."""
import sys

from fontTools.ttLib import TTFont

from make_example_list import jis_to_shift_jis


def jis_x0208():
    for row in list(range(1, 9)) + list(range(16, 85)):
        for cell in range(1, 95):
            code = jis_to_shift_jis(row, cell)
            try:
                yield code, code.decode("cp932")
            except UnicodeDecodeError:
                pass  # a cell the standard leaves empty


def main():
    font_path, output = sys.argv[1:3]
    font = TTFont(font_path)
    cmap = font.getBestCmap()
    glyphs = font["glyf"]

    def drawn(char):
        name = cmap.get(ord(char))
        return name is not None and glyphs[name].numberOfContours != 0

    chars = [code for code, char in jis_x0208() if drawn(char)]
    lines = [b"".join(chars[i:i + 10]) for i in range(0, len(chars), 10)]
    with open(output, "wb") as out:
        out.write(b"\r\n".join(lines) + b"\r\n")
    print(f"{output}: {len(chars)} characters")


if __name__ == "__main__":
    main()
