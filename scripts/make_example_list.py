#!/usr/bin/env python3
"""Writes examples/chars_jis_level1.txt: a Shift-JIS character list for the
font tool with the printable ASCII characters, the full-width hiragana and
katakana, and the 2,965 kanji of JIS level 1, generated from their code
ranges. Ten characters to a line, CR LF line ends."""
import os


def jis_to_shift_jis(row, cell):
    """The Shift-JIS bytes of JIS X 0208 row (ku) and cell (ten), both from 1."""
    lead = (row + 1) // 2 + (0x80 if row <= 62 else 0xC0)
    if row % 2:
        trail = cell + (0x3F if cell <= 63 else 0x40)
    else:
        trail = cell + 0x9E
    return bytes((lead, trail))


def characters():
    for code in range(0x21, 0x7F):
        yield bytes((code,))
    for cell in range(1, 84):          # row 4: ぁ .. ん
        yield jis_to_shift_jis(4, cell)
    for cell in range(1, 87):          # row 5: ァ .. ヶ
        yield jis_to_shift_jis(5, cell)
    for row in range(16, 48):          # level 1 kanji: 16-01 亜 .. 47-51 腕
        for cell in range(1, 95):
            if row == 47 and cell > 51:
                break
            yield jis_to_shift_jis(row, cell)


def main():
    chars = list(characters())
    for c in chars:
        c.decode("cp932")  # every one is a real character
    lines = [b"".join(chars[i:i + 10]) for i in range(0, len(chars), 10)]
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = os.path.join(root, "examples", "chars_jis_level1.txt")
    with open(path, "wb") as out:
        out.write(b"\r\n".join(lines) + b"\r\n")
    print(f"{path}: {len(chars)} characters")


if __name__ == "__main__":
    main()
