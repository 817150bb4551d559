#!/bin/sh
# Installs everything the build and the tests need from Debian's packages.
# Safe to run again: it installs only what is missing and generates the
# Japanese locale only once.
set -eu

packages="
cmake ninja-build g++ clang libclang-rt-14-dev
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
googletest
wine64 xvfb xauth
locales fonts-ipafont-gothic
python3 time
"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends $missing
fi

# Wine takes its ANSI code page from the glibc locale: ja_JP.UTF-8 gives 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi
