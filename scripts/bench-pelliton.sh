#!/bin/sh
# Prints the figures of the sound browser and Vox.dll with Ogg Vorbis files
# of 10 seconds, 5 minutes and 30 minutes (44.1 kHz stereo, as music is),
# each beside the 10-second file's in the same run:
#  1. VoxLoad and VoxPlay, in-process;
#  2. from a selection in the browser's list to the first samples at the
#     sound card (an ALSA file sink, as in the tests), and the browser's
#     private memory while each file plays;
#  3. handles, threads and memory around 10,000 load/play/release cycles
#     (CYCLES=n changes the count; they take a few minutes).
# The files are made once, with sox and oggenc, into build/bench-sounds.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target pelliton_bench >/dev/null

sounds=$root/build/bench-sounds
mkdir -p "$sounds"
make_sound() {  # name, seconds
    [ -s "$sounds/$1.ogg" ] && return
    echo "making $1.ogg ($2 s)"
    sox -V1 -D -R -n -r 44100 -b 16 -c 2 -t wav - synth "$2" sine 200-2000 pinknoise vol 0.5 |
        oggenc --quiet --quality 3 -o "$sounds/$1.part" -
    mv "$sounds/$1.part" "$sounds/$1.ogg"
}
make_sound short 10
make_sound medium 300
make_sound long 1800

build=$root/build/windows
bench="$build/bin/pelliton_bench.exe"
folder=$(echo "Z:$sounds" | tr / '\\')
scratch=$(mktemp -d "$build/bench-pelliton.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# Nothing to record for the in-process figures: ALSA's null device.
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$scratch/null.conf"
cd "$scratch"
"$build/wine-run.sh" cmd /c exit  # a warm Wine, as a user's second run

echo "== 1. Vox.dll with files of three lengths (load: $(uptime | sed 's/.*load average: //'))"
ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$scratch/null.conf" "$build/wine-run.sh" "$bench" load "$folder"
echo "== 2. Pelliton_ogg.exe with the same files (load: $(uptime | sed 's/.*load average: //'))"
ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$build/tests/sound-sink.conf" \
    "$build/wine-run.sh" "$bench" browser "$folder"
echo "== 3. Vox.dll load/play/release cycles (load: $(uptime | sed 's/.*load average: //'))"
ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$scratch/null.conf" \
    "$build/wine-run.sh" "$bench" cycles "$folder" "${CYCLES:-10000}"
