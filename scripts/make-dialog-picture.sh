#!/bin/sh
# Makes docs/typekiln-dialog.png, the README's picture of Typekiln's main
# dialog, from the real program under Wine: it opens the dialog on the
# build's private display, sets an outline and an extrusion, refreshes the
# preview and takes what the screen shows of the dialog.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Typekiln typekiln_dialog_picture >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
build=$root/build/windows
# A Linux path as the Windows programs see it (Wine's drive Z:).
dos_path() {
    echo "Z:$1" | tr / '\\'
}
"$build/wine-run.sh" "$build/bin/typekiln_dialog_picture.exe" "$(dos_path "$build/bin/Typekiln.exe")" \
    "$(dos_path "$scratch/dialog.tga")"
python3 scripts/page_to_png.py "$scratch/dialog.tga" >/dev/null
mkdir -p docs
mv "$scratch/dialog.tga.png" docs/typekiln-dialog.png
echo "docs/typekiln-dialog.png"
