#!/bin/sh
# The main job: builds the native tools typekiln and gfd (release preset,
# build/release/bin/) and makes the example font with typekiln, as
# Typekiln.exe would from a .bat file, from the example character list
# (ASCII, kana and the 2,965 kanji of JIS level 1): 32-pixel glyphs drawn at
# 4 x for anti-aliasing, with a dark outline, on 1024 x 1024 pages. Writes
# the pages and the descriptor to build/example-font/, checks the font with
# gfd, exports it (a PNG of each page and a .fnt) and ends by setting a
# Japanese sentence with it into sample.png. Needs no Wine: the files are
# those Typekiln.exe writes (the tests compare the two).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh native
cmake --preset release >/dev/null
cmake --build --preset release --target typekiln gfd

out="$root/build/example-font"
rm -rf "$out"
mkdir -p "$out"
cp examples/chars_jis_level1.txt "$out/"
cd "$out"
bin="$root/build/release/bin"
"$bin/typekiln" chars_jis_level1.txt \
    /out,kiln /size,32 /sample,4 /width,3 /height,3 /format,2 /color,255,255,255 /edge,2,40,40,72
"$bin/gfd" check kiln.gfd
"$bin/gfd" export kiln.gfd -o kiln.fnt >/dev/null
"$bin/gfd" render kiln.gfd "$(printf '吾輩は猫である\n名前はまだ無い\nTypekiln 0123 ABCxyz')" -o sample.png >/dev/null
echo "Font written to $out:"
ls -l "$out" | awk 'NR > 1 { printf "  %10d  %s\n", $5, $9 }'
