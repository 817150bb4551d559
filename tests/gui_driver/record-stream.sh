#!/bin/sh
# The sound card of a program under test. ALSA hands each sound stream that
# the program opens to this script on standard input (see tests/CMakeLists.txt);
# the stream lands as a new file in the "sink" folder of the test, the nearest
# folder above the program's current folder that has one. Files are named by
# the moment the stream opened, so that their names sort in opening order.
folder=$PWD
while [ ! -d "$folder/sink" ]; do
    [ "$folder" = / ] && exit 1
    folder=$(dirname "$folder")
done
exec cat >"$folder/sink/$(date +%s%N).raw"
