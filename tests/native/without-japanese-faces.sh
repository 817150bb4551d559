#!/bin/sh
# On a system without a face that can draw Japanese, typekiln says so, exits
# with 1 and writes nothing (rather than drawing every glyph as an empty box).
#
#   without-japanese-faces.sh <typekiln>
set -eu
typekiln=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cat >"$scratch/fonts.conf" <<CONF
<?xml version="1.0"?>
<fontconfig><dir>$scratch/no-fonts</dir><cachedir>$scratch/cache</cachedir></fontconfig>
CONF
printf 'AB' >"$scratch/chars.txt"
status=0
(cd "$scratch" && FONTCONFIG_FILE="$scratch/fonts.conf" LC_ALL=C.UTF-8 "$typekiln" chars.txt 2>"$scratch/said") || status=$?
cat "$scratch/said"
[ "$status" -eq 1 ] || { echo "exit code $status, not 1"; exit 1; }
grep -q '日本語を描けるフォントが見つかりません' "$scratch/said" || { echo "no reason given"; exit 1; }
[ ! -e "$scratch/font.gfd" ] && [ ! -e "$scratch/font_00.tga" ] || { echo "files were written"; exit 1; }
