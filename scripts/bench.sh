#!/bin/sh
# Prints the benchmark figures (no pass or fail but for byte mismatches):
#  1. colour reduction and 8-bit BMP of a 2048 x 2048 page with thousands of
#     colours, fast path against the straightforward algorithm (host build);
#  2. Typekiln.exe batch runs on the example list under Wine:
#     (a) size 32, sample 1, no effects, TGA;
#     (b) size 32, sample 4, edge 2, 8-bit BMP;
#     (c) peak memory of (b), and of a one-character run for comparison;
#  3. how the time of (b) splits, and its files against the straightforward
#     algorithms;
#  4. gfd check, render and export on the example font (host build);
#  5. the sound browser and Vox.dll (scripts/bench-pelliton.sh).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target colour_reduction_bench >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target Typekiln typekiln_run_bench >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== 1. colour reduction and 8-bit BMP of a 2048 x 2048 page (host)"
build/bench/bin/colour_reduction_bench "$scratch"

wine=build/windows/wine-run.sh
typekiln="$root/build/windows/bin/Typekiln.exe"
cp examples/chars_jis_level1.txt "$scratch/"
printf 'A' >"$scratch/one.txt"
$wine cmd /c exit  # a warm Wine, as a user's second run

# A Linux path as the Windows programs see it (Wine's drive Z:).
dos_path() {
    echo "Z:$1" | tr / '\\'
}

run() {  # label, options...: best of three wall times, and the peak resident memory
    label=$1
    shift
    for _ in 1 2 3; do
        (cd "$scratch" && /usr/bin/time -f "%e %M" "$root/$wine" "$typekiln" "$@" 2>&1 >/dev/null | tail -1)
    done | awk -v label="$label" '
        NR == 1 || $1 < best { best = $1 }
        { memory = $2 }
        END { printf "%-52s %6.2f s wall, peak %4d MB resident\n", label, best, memory / 1024 }'
}

echo "== 2. Typekiln.exe in batch mode under Wine, example list ($(wc -c <examples/chars_jis_level1.txt) bytes)"
run "(a) size 32, sample 1, no effects, 32-bit TGA" chars_jis_level1.txt /size,32 /width,3 /height,3
run "(b) size 32, sample 4, edge 2, 8-bit BMP" chars_jis_level1.txt /size,32 /width,3 /height,3 /sample,4 /edge,2,0,0,0 /format,1
run "    one character, for Wine's own share" one.txt /size,32 /width,3 /height,3 /sample,4 /format,1

echo "== 3. where the time of (b) goes"
mkdir -p "$scratch/split"
$wine build/windows/bin/typekiln_run_bench.exe "$(dos_path "$root/examples/chars_jis_level1.txt")" \
    "$(dos_path "$scratch/split")"

echo "== 4. gfd on the example font (host build; best of five; load $(cut -d' ' -f1-3 /proc/loadavg))"
cmake --build --preset bench --target gfd >/dev/null
[ -f build/example-font/kiln.gfd ] || scripts/make-example-font.sh >/dev/null
gfd="$root/build/bench/bin/gfd"
mkdir -p "$scratch/gfd"
seconds() {  # command...: the best wall time of five runs
    for _ in 1 2 3 4 5; do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        echo $(($(date +%s%N) - start))
    done | sort -n | head -1 | awk '{ printf "%.3f", $1 / 1e9 }'
}
report() {  # label, seconds, baseline label, baseline seconds
    awk -v l="$1" -v s="$2" -v b="$3" -v t="$4" \
        'BEGIN { printf "%-34s %6.3f s  (%5.2f x %s: %.3f s)\n", l, s, s / t, b, t }'
}
(
    cd build/example-font
    sentence=$(printf '吾輩は猫である\n名前はまだ無い\nTypekiln 0123 ABCxyz')
    reading=$(seconds cat kiln.gfd kiln_00.tga kiln_01.tga kiln_02.tga kiln_03.tga)
    report "gfd check" "$(seconds "$gfd" check kiln.gfd)" "reading its files" "$reading"
    report "gfd render (3 lines)" "$(seconds "$gfd" render kiln.gfd "$sentence" -o "$scratch/gfd/s.png")" \
        "reading its files" "$reading"
    report "gfd export (4 PNG pages)" "$(seconds "$gfd" export kiln.gfd -o "$scratch/gfd/kiln.fnt")" \
        "page_to_png.py" "$(seconds python3 "$root/scripts/page_to_png.py" kiln_00.tga kiln_01.tga kiln_02.tga kiln_03.tga)"
)

echo "== 5. the sound browser and Vox.dll"
scripts/bench-pelliton.sh
