#!/bin/sh
# Runs every test of the project from a clean or warm checkout: installs what
# is missing, builds the native (sanitizers on) and Windows presets and runs
# their tests (the Windows ones under Wine), then builds the fuzz targets and
# gives each a short run.
set -eu
cd "$(dirname "$0")/.."

scripts/setup.sh

for preset in native windows; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

echo "== fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
