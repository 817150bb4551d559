#!/bin/sh
# Starts a Windows program of the build under Wine in the current folder, as
# a user would: on DISPLAY when it is set (with the build's Wine prefix), or
# else on the build's private X display (build/windows/wine/display names
# it). Used by run-pelliton.sh and run-typekiln.sh.
#
#   scripts/start-program.sh PROGRAM.exe
set -eu
build=$(cd "$(dirname "$0")/.." && pwd)/build/windows
program=$1
if [ -n "${DISPLAY:-}" ]; then
    # The prefix the wrapper made, but the caller's display.
    WINEPREFIX=$build/wine/prefix WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 \
        exec /usr/lib/wine/wine64 "$build/bin/$program"
fi
echo "$program: no DISPLAY; the window is on the private display :$(cat "$build/wine/display" 2>/dev/null || echo '?')"
exec "$build/wine-run.sh" "$build/bin/$program"
