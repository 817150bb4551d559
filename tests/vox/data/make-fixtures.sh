#!/bin/sh
# Makes the Ogg Vorbis files the Vox tests decode and play (sox, oggenc).
# They are committed; run this only to change them.
#   tone-stereo.ogg  44.1 kHz stereo, 0.25 s: 440 Hz at half scale on the
#                    left, silence on the right
#   long-mono.ogg    22.05 kHz mono, 8 s of 330 Hz: still playing when a
#                    test releases it
#   three-channels.ogg  0.1 s of three channels, which Vox does not play
set -eu
cd "$(dirname "$0")"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
sox -D -n -r 44100 -b 16 -c 2 "$scratch/tone-stereo.wav" synth 0.25 sine 440 vol 0.5 remix 1 0
sox -D -n -r 22050 -b 16 -c 1 "$scratch/long-mono.wav" synth 8 sine 330 vol 0.5
sox -D -n -r 22050 -b 16 -c 3 "$scratch/three-channels.wav" synth 0.1 sine 300 sine 400 sine 500
for name in tone-stereo long-mono three-channels; do
    oggenc --quiet --serial 1 --quality 0 --discard-comments -o "$name.ogg" "$scratch/$name.wav"
done
