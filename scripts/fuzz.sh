#!/bin/sh
# Runs each libFuzzer target of the fuzz preset for a while (default 15 s),
# starting from the seeds in tests/fuzz/corpus/<target>. New inputs go to a
# scratch corpus under build/, so the checkout stays unchanged. A crash or a
# sanitizer report fails the script and leaves the input under build/fuzz/.
#
#   scripts/fuzz.sh [seconds]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-15}
build=build/fuzz

found=""
for fuzzer in "$build"/bin/*_fuzz; do
    [ -x "$fuzzer" ] || continue
    found=yes
    name=$(basename "$fuzzer")
    scratch="$build/corpus/$name"
    mkdir -p "$scratch"
    echo "== $name: ${seconds} s"
    # LeakSanitizer on, whatever the environment says: a crafted file that
    # leaks inside a library is a finding like a crash.
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=0 -detect_leaks=1 -artifact_prefix="$build/$name-" \
        "$scratch" "tests/fuzz/corpus/$name" 2>"$build/$name.log" ||
        { tail -40 "$build/$name.log"; exit 1; }
    grep -E '^#[0-9]+.*DONE' "$build/$name.log" || tail -1 "$build/$name.log"
done
[ -n "$found" ] || { echo "fuzz.sh: no fuzz targets in $build/bin; build the fuzz preset first" >&2; exit 1; }
