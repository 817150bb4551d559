#!/bin/sh
# Starts the sound browser on a folder of sounds: by default examples/, the
# samples that ship with it; or the folder given. Installs and builds what
# is missing first.
#
#   scripts/run-pelliton.sh [folder]
#
# With DISPLAY set the window opens there; without it, on the build's
# private X display (build/windows/wine/display names it). On a machine
# without a sound card, sounds play silently into ALSA's null device.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
folder=$(cd "${1:-examples}" && pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pelliton_ogg >/dev/null

build=$root/build/windows
wine_run=$build/wine-run.sh
# The samples are laid out as the program is installed: Vox.dll beside the
# sounds (examples/.gitignore keeps the copy out of the repository).
if [ "$folder" = "$root/examples" ]; then
    cp "$build/bin/Vox.dll" "$folder/Vox.dll"
fi
# ヘルプ opens read_me.txt with the text viewer; Wine's new prefixes do not
# link .txt files to it.
"$wine_run" reg add 'HKCR\.txt' /ve /d txtfile /f </dev/null >/dev/null 2>&1

if [ ! -e /dev/snd ] && [ -z "${ALSA_CONFIG_PATH:-}" ]; then
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$build/silent-sound.conf"
    export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$build/silent-sound.conf"
fi

cd "$folder"
exec "$root/scripts/start-program.sh" Pelliton_ogg.exe
