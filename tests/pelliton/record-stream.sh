#!/bin/sh
# The sound card of a browser under test. ALSA hands each sound stream that
# the browser opens to this script on standard input (see CMakeLists.txt); the
# stream lands as a new file in the "sink" folder of the test, the nearest
# folder above the browser's current folder that has one. Files are named by
# the moment the stream opened, so that their names sort in opening order.
folder=$PWD
while [ ! -d "$folder/sink" ]; do
    [ "$folder" = / ] && exit 1
    folder=$(dirname "$folder")
done
exec cat >"$folder/sink/$(date +%s%N).raw"
