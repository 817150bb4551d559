#!/bin/sh
# Makes the Ogg Vorbis files that are too large to commit, into the folder
# given (the build's, at build time), with sox and oggenc as a user's tools
# would make them. Left channel a sweep, right channel noise: a block that
# playback dropped, repeated or swapped shows in any comparison.
#   paged-stereo.ogg  3 s, 44.1 kHz stereo, six audio pages: room to damage one
#   long-stereo.ogg   3 min, 44.1 kHz stereo: far more than playback holds
set -eu
out=$1
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
make() {  # name, seconds
    sox -D -R -n -r 44100 -b 16 -c 2 "$scratch/$1.wav" synth "$2" sine 200-2000 pinknoise vol 0.5
    oggenc --quiet --serial 1 --quality 0 --discard-comments -o "$scratch/$1.ogg" "$scratch/$1.wav"
    mv "$scratch/$1.ogg" "$out/$1.ogg"
}
make paged-stereo 3
make long-stereo 180
