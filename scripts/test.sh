#!/bin/sh
# Runs every test of the project from a clean or warm checkout: installs what
# is missing, builds the native (sanitizers on), ThreadSanitizer and Windows
# presets and runs their tests (the Windows ones under Wine), then builds the
# fuzz targets and gives each a short run.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh

echo "== native"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== tsan"
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows
# One Wine server for the whole run, stopped at the end: a test never starts
# while a server that has just run idle is shutting down.
stop_wine() {
    export WINEPREFIX="$PWD/build/windows/wine/prefix"
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
    unset WINEPREFIX
}
stop_wine
trap stop_wine EXIT
WINE_RUN_PERSIST= ctest --preset windows
stop_wine
trap - EXIT

echo "== fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
