#!/bin/sh
# Prints how long the sound browser takes from the selection of a file to the
# first samples at the sound card, under Wine here (the sound card being an
# ALSA file sink, as in the tests). Builds what is missing first.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target pelliton_latency >/dev/null
work=build/windows/tests/pelliton
cd "$work"
ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$PWD/../sound-sink.conf" ../../wine-run.sh ../../bin/pelliton_latency.exe 2>/dev/null
rm -rf latency-*
