#!/bin/sh
# Opens Typekiln's main dialog under Wine, as a user starts the program
# without arguments. Installs and builds what is missing first.
#
#   scripts/run-typekiln.sh [folder]
#
# The program starts in `folder` (default examples/, which holds the example
# character list). With DISPLAY set the dialog opens there; without it, on
# the build's private X display (scripts/start-program.sh).
set -eu
cd "$(dirname "$0")/.."
root=$PWD
folder=$(cd "${1:-examples}" && pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Typekiln >/dev/null

cd "$folder"
exec "$root/scripts/start-program.sh" Typekiln.exe
