#!/bin/sh
# Makes the MP3 file the browser tests play through MCI (sox, lame); it is
# committed, run this only to change it. WAV files are made by the tests
# themselves, Ogg Vorbis files come from tests/vox/data.
#   beep.mp3  0.3 s of 660 Hz, 22.05 kHz mono
set -eu
cd "$(dirname "$0")"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
sox -D -n -r 22050 -b 16 -c 1 "$scratch/beep.wav" synth 0.3 sine 660 vol 0.5
lame --quiet -b 32 --noreplaygain "$scratch/beep.wav" beep.mp3
