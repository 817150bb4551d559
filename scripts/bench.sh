#!/bin/sh
# Builds the optimised host preset and prints the benchmarks' figures.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target colour_reduction_bench
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
echo "== colour reduction and 8-bit BMP of a 2048 x 2048 page"
build/bench/tests/colour_reduction_bench "$scratch"
