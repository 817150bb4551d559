#!/bin/sh
# Prints the benchmark figures (no pass or fail but for byte mismatches):
#  1. colour reduction and 8-bit BMP of a 2048 x 2048 page with thousands of
#     colours, fast path against the straightforward algorithm (host build);
#  2. the native typekiln and Typekiln.exe under Wine on the same batch
#     runs, each the best of three, with peak resident memory, the ratio of
#     the two, the native run's raster floor (what FreeType alone takes to
#     draw the case's glyphs, over the drawing threads) and whether the two
#     wrote the same files:
#     one character, as (b): the baseline;
#     (a) example list, size 32, sample 1, no effects, TGA, 1024 x 1024;
#     (b) example list, size 32, sample 4, edge 2, 8-bit BMP, 1024 x 1024;
#     (f) every JIS X 0208 character the font draws, as (b);
#     (g) example list, size 64, sample 8, edge 3, extrusion 2 toward 3,
#         8-bit BMP, 2048 x 2048;
#  3. where the time of (b) and (g) goes, from runs in process;
#  4. the files of every case against the straightforward pipeline, byte for
#     byte (slow: it grows outlines one pixel per pass);
#  5. gfd check, render and export on the example font (host build);
#  6. the sound browser and Vox.dll (scripts/bench-pelliton.sh).
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target colour_reduction_bench typekiln raster_floor_bench >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target Typekiln typekiln_run_bench >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== 1. colour reduction and 8-bit BMP of a 2048 x 2048 page (host)"
build/bench/bin/colour_reduction_bench "$scratch"

wine=build/windows/wine-run.sh
typekiln="$root/build/windows/bin/Typekiln.exe"
bench="$root/build/windows/bin/typekiln_run_bench.exe"
cp examples/chars_jis_level1.txt "$scratch/"
printf 'A' >"$scratch/one.txt"
# Debian's python3, where python3-fonttools is installed.
/usr/bin/python3 scripts/make_jis_x0208_list.py "$(fc-match -f '%{file}' IPAGothic)" "$scratch/jis_x0208.txt"
$wine cmd /c exit  # a warm Wine, as a user's second run

# A Linux path as the Windows programs see it (Wine's drive Z:).
dos_path() {
    echo "Z:$1" | tr / '\\'
}

options_b="/size,32 /width,3 /height,3 /sample,4 /edge,2,0,0,0 /format,1"
options_g="/size,64 /width,4 /height,4 /sample,8 /edge,3,0,0,0 /bevel,2,3,96,96,96 /format,1"
cases="
a chars_jis_level1.txt /size,32 /width,3 /height,3
b chars_jis_level1.txt $options_b
f jis_x0208.txt $options_b
g chars_jis_level1.txt $options_g
"

run() {  # folder, program, list, options...: best of three wall times and the largest peak resident memory, in $result
    folder=$1
    program=$2
    shift 2
    mkdir -p "$folder"
    cp "$scratch/$1" "$folder/"
    : >"$scratch/times"
    for _ in 1 2 3; do
        (cd "$folder" && /usr/bin/time -q -o "$scratch/time" -f "%e %M %x" $program "$@" \
            >/dev/null 2>"$scratch/errors" || true)
        # Figures from a run that did not finish would mislead: stop instead.
        if [ "$(cut -d' ' -f3 "$scratch/time")" != 0 ]; then
            echo "$program $* failed in $folder:" >&2
            cat "$scratch/time" "$scratch/errors" >&2
            exit 1
        fi
        cat "$scratch/time" >>"$scratch/times"
    done
    result=$(awk '
        NR == 1 || $1 < best { best = $1 }
        $2 > memory { memory = $2 }
        END { printf "%.3f %d\n", best, memory / 1024 }' "$scratch/times")
}

native="$root/build/bench/bin/typekiln"
floor="$root/build/bench/bin/raster_floor_bench"
echo "== 2. typekiln natively and Typekiln.exe under Wine ($(nproc) processors, load $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-4s %-40s %8s %6s %8s %6s %7s %8s %9s %5s\n' case list/options native MB Wine MB ratio floor "n/(f+s)" same
measure() {  # name, list, options...
    name=$1
    list=$2
    shift 2
    run "$scratch/$name-native" "$native" "$list" "$@"
    # shellcheck disable=SC2086
    set -- $result "$@"
    nativeTime=$1
    nativeMemory=$2
    shift 2
    run "$scratch/$name-wine" "$root/$wine $typekiln" "$list" "$@"
    # shellcheck disable=SC2086
    set -- $result "$@"
    wineTime=$1
    wineMemory=$2
    shift 2
    floorTime=$(cd "$scratch/$name-native" && "$floor" "$list" "$@")
    same=yes
    diff -r "$scratch/$name-native" "$scratch/$name-wine" >/dev/null || same=NO
    [ -n "${start:-}" ] || start=$nativeTime
    awk -v n="$name" -v l="$list $*" -v t="$nativeTime" -v m="$nativeMemory" -v w="$wineTime" \
        -v wm="$wineMemory" -v f="$floorTime" -v s="$start" -v same="$same" 'BEGIN {
        printf "%-4s %-40.40s %7.3fs %6d %7.3fs %6d %6.2fx %7.3fs %8.2fx %5s\n", n, l, t, m, w, wm, t / w, f, t / (f + s), same }'
    [ "$same" = yes ] || { diff -r "$scratch/$name-native" "$scratch/$name-wine" >&2; exit 1; }
}
measure one one.txt $options_b
echo "$cases" | while read -r name list options; do
    [ -n "$name" ] || continue
    # shellcheck disable=SC2086
    measure "($name)" "$list" $options
done
echo "   (ratio: native / Wine; floor: FreeType alone over the drawing threads;"
echo "    n/(f+s): native / (floor + the one-character run); same: every file the two wrote is byte-identical;"
echo "    load after the runs: $(cut -d' ' -f1-3 /proc/loadavg))"

echo "== 3. where the time goes, in process"
for name in b g; do
    echo "($name)"
    mkdir -p "$scratch/split-$name"
    line=$(echo "$cases" | grep "^$name ")
    # shellcheck disable=SC2086
    set -- $line
    shift
    list=$1
    shift
    $wine "$bench" split "$(dos_path "$scratch/split-$name")" "$(dos_path "$scratch/$list")" "$@"
done

echo "== 4. files of each case against the straightforward pipeline"
echo "$cases" | while read -r name list options; do
    [ -n "$name" ] || continue
    echo "($name)"
    # shellcheck disable=SC2086
    # Against the files Typekiln.exe wrote in part 2.
    $wine "$bench" check "$(dos_path "$scratch/($name)-wine")" "$(dos_path "$scratch/$list")" $options || exit 1
done

echo "== 5. gfd on the example font (host build; best of five; load $(cut -d' ' -f1-3 /proc/loadavg))"
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

echo "== 6. the sound browser and Vox.dll"
scripts/bench-pelliton.sh
