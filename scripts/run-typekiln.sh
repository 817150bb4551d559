#!/bin/sh
# Opens Typekiln's main dialog under Wine, as a user starts the program
# without arguments. Installs and builds what is missing first.
#
#   scripts/run-typekiln.sh [folder]
#
# The program starts in `folder` (default examples/, which holds the example
# character list). With DISPLAY set the dialog opens there; without it, on
# the build's private X display (build/windows/wine/display names it).
set -eu
cd "$(dirname "$0")/.."
root=$PWD
folder=$(cd "${1:-examples}" && pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Typekiln >/dev/null

build=$root/build/windows
cd "$folder"
if [ -n "${DISPLAY:-}" ]; then
    # The prefix the wrapper made, but the caller's display.
    WINEPREFIX=$build/wine/prefix WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 \
        exec /usr/lib/wine/wine64 "$build/bin/Typekiln.exe"
fi
echo "run-typekiln: no DISPLAY; the dialog is on the private display :$(cat "$build/wine/display" 2>/dev/null || echo '?')"
exec "$build/wine-run.sh" "$build/bin/Typekiln.exe"
