#!/bin/sh
# Typekiln.exe under Wine and the native typekiln, given the same list and
# the same batch arguments, write the same files, byte for byte, over a
# matrix of faces, sizes, samples, styles, scales, effects, formats and page
# sizes; and the native program names a character without an image as
# often as Typekiln.exe shows its box for one (which run_answering closes).
#
#   compare-runs.sh <wine-run.sh> <run_answering.exe> <Typekiln.exe> <native typekiln> <mixed list> <example list>
set -eu
wine_run=$1
answering=$2
windows=$3
native=$4
mixed=$5
example=$6
[ -x "$native" ] || { echo "no native typekiln at $native: build the native preset first" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=0
cell() {  # name, list, batch arguments...
    name=$1
    list=$2
    shift 2
    for side in windows native; do
        mkdir -p "$scratch/$name/$side"
        cp "$list" "$scratch/$name/$side/"
    done
    listName=$(basename "$list")
    windowsStatus=0
    nativeStatus=0
    (cd "$scratch/$name/windows" && "$wine_run" "$answering" "$windows" "$listName" "$@" >"$scratch/$name.boxes") ||
        windowsStatus=$?
    (cd "$scratch/$name/native" && "$native" "$listName" "$@" 2>"$scratch/$name.lines") || nativeStatus=$?
    if [ $windowsStatus -ne 0 ] || [ $nativeStatus -ne 0 ]; then
        echo "$name: exit codes Windows $windowsStatus, native $nativeStatus"
        cat "$scratch/$name.boxes" "$scratch/$name.lines"
        failed=1
        return
    fi
    boxes=$(grep -c '^box: ERROR Failed GetFontBuffer' "$scratch/$name.boxes" || true)
    lines=$(wc -l <"$scratch/$name.lines")
    if [ "$boxes" -ne "$lines" ]; then
        echo "$name: $boxes boxes for characters without an image, $lines such lines natively"
        failed=1
    fi
    if diff -r "$scratch/$name/windows" "$scratch/$name/native" >"$scratch/$name.diff"; then
        echo "$name: same $(ls "$scratch/$name/native" | wc -l) files"
    else
        echo "$name: files differ"
        cat "$scratch/$name.diff"
        failed=1
    fi
}

cell start-up "$mixed"
cell tiny-pages "$mixed" "/face,ＭＳ ゴシック" /size,8 /sample,1 /width,0 /height,0 /format,2
cell proportional-bold "$mixed" /face,IPAPGothic /size,26 /sample,4 /bold /format,1 /width,1 /height,2
cell mincho-italic-edge "$mixed" /face,IPAMincho /size,48 /sample,2 /italic /edge,2,10,20,30 /bevel,1,9,5,5,5 /format,2 /width,2 /height,2
cell fixed-pitch-4-bit "$mixed" "/face,MS Gothic" /size,32 /sample,4 /fixpitch /edge,2,0,0,0 /format,0 /width,3 /height,3
cell unknown-face-scaled "$mixed" /face,NoSuchFace /size,20 /sample,3 /aspect,1.5,1.0 /bevel,2,3,96,96,96 /format,1 /width,2 /height,1
cell large-all-styles "$mixed" /face,IPAGothic /size,96 /sample,1 /aspect,0.75,1.25 /bevel,3,7,1,2,3 /bold /italic /format,1 /width,4 /height,3
cell sample-8-both-effects "$mixed" "/face,ＭＳ Ｐ明朝" /size,40 /sample,8 /edge,1,255,0,0 /bevel,2,6,0,0,255 /format,2 /width,3 /height,3
cell wide-upward "$mixed" "/face,ＭＳ Ｐゴシック" /size,16 /sample,5 /aspect,2.0,1.0 /bevel,1,8,9,9,9 /color,200,100,50 /format,0 /width,1 /height,1
cell other-directions "$mixed" /face,IPAGothic /size,24 /sample,2 /edge,1,0,0,0 /bevel,2,1,50,50,50 /format,1 /width,2 /height,2
cell left-and-down "$mixed" "/face,ＭＳ 明朝" /size,28 /sample,3 /bevel,2,4,0,0,0 /italic /fixpitch /format,2 /width,2 /height,2
cell example-list "$example" /out,kiln /size,12 /sample,1 /bevel,1,2,0,0,0 /format,0 /width,2 /height,2
exit $failed
