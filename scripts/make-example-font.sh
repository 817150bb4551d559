#!/bin/sh
# The main job: builds Typekiln for Windows and runs it in batch mode under
# Wine, as a .bat file would, on the example character list (ASCII, kana and
# the 2,965 kanji of JIS level 1): 32-pixel glyphs drawn at 4 x for
# anti-aliasing, with a dark outline, on 1024 x 1024 pages. Writes the pages,
# the descriptor and a PNG copy of each page to build/example-font/, checks
# the font with gfd and ends by setting a Japanese sentence with it into
# sample.png.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Typekiln gfd

out="$root/build/example-font"
rm -rf "$out"
mkdir -p "$out"
cp examples/chars_jis_level1.txt "$out/"
cd "$out"
"$root/build/windows/wine-run.sh" "$root/build/windows/bin/Typekiln.exe" chars_jis_level1.txt \
    /out,kiln /size,32 /sample,4 /width,3 /height,3 /format,2 /color,255,255,255 /edge,2,40,40,72
python3 "$root/scripts/page_to_png.py" kiln_*.tga >/dev/null
gfd="$root/build/windows/bin/gfd.exe"
"$root/build/windows/wine-run.sh" "$gfd" check kiln.gfd
"$root/build/windows/wine-run.sh" "$gfd" render kiln.gfd \
    "$(printf '吾輩は猫である\n名前はまだ無い\nTypekiln 0123 ABCxyz')" -o sample.png >/dev/null
echo "Font written to $out:"
ls -l "$out" | awk 'NR > 1 { printf "  %10d  %s\n", $5, $9 }'
