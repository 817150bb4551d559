#!/bin/sh
# The glyph source of the Windows build (GDI under Wine) and the native one
# (FreeType under GDI's rules) give the same text metrics, ABC widths, boxes
# and bitmap bits for every code page 932 character code, in a few fonts,
# sizes, styles and transforms.
#
#   compare-glyphs.sh <wine-run.sh> <glyph_dump.exe> <native glyph_dump>
set -eu
wine_run=$1
windows_dump=$2
native_dump=$3
[ -x "$native_dump" ] || { echo "no native glyph_dump at $native_dump: build the native preset first" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The face name's code page 932 bytes in hexadecimal.
hex() {
    printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -tx1 | tr -d ' \n'
}

failed=0
compare() {  # face, height, bold, italic, m11, m22 (16.16)
    face=$(hex "$1")
    shift
    "$native_dump" "$face" "$@" >"$scratch/native"
    "$wine_run" "$windows_dump" "$face" "$@" | tr -d '\r' >"$scratch/windows"
    if ! cmp -s "$scratch/native" "$scratch/windows"; then
        echo "differ: $face $* (native <, Windows >):"
        diff "$scratch/native" "$scratch/windows" | head -20
        failed=1
    else
        echo "same: $(wc -l <"$scratch/native") lines for $face $*"
    fi
}

compare "ＭＳ ゴシック" 26 0 0 65536 65536   # the start-up face, through its replacement
compare IPAGothic 64 1 1 57344 57344          # simulated bold and italic, shrunk by 7/8
compare IPAPGothic 100 0 0 98304 52428        # proportional, scaled 1.5 x 0.8
compare IPAMincho 8 1 0 65536 65536           # the smallest size a run takes
compare "ＭＳ Ｐ明朝" 33 0 1 65536 65536      # a replacement to its own family
compare NoSuchFace 200 0 0 65536 65536        # a name nobody has: the fallback
exit $failed
