#!/bin/sh
# Installs what the build and the tests need from Debian's packages:
#   scripts/setup.sh          everything (both builds, Wine, the tests, fuzzing)
#   scripts/setup.sh native   only what the native tools typekiln and gfd need
# Safe to run again: it installs only what is missing and generates the
# Japanese locale only once.
set -eu

# The native tools: the compiler, fontconfig, the IPA fonts they find
# through it, libpng for gfd, and dpkg-dev to fetch FreeType's sources.
native_packages="
cmake ninja-build g++ dpkg-dev
libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho
libpng-dev zlib1g-dev
"
packages="$native_packages"
if [ "${1:-}" != native ]; then
    packages="$packages
clang libclang-rt-14-dev
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
googletest
wine64 xvfb xauth fonts-wine locales
python3 python3-fonttools time
sox vorbis-tools lame gstreamer1.0-plugins-base gstreamer1.0-plugins-good
"
fi

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

# Debian's source packages, for the libraries the builds compile
# themselves: fetched once into `folder`, unpacked beside their archives.
#   fetch_sources folder description source-package...
fetch_sources() {
    folder=$1
    description=$2
    shift 2
    unpacked() {
        for package in "$@"; do
            ls -d "$folder/$package"-[0-9]*/ >/dev/null 2>&1 || return 1
        done
    }
    unpacked "$@" && return 0
    echo "setup: fetching the $description sources"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        [ -f /etc/apt/sources.list.d/debian-src.sources ] ||
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    else
        [ -f /etc/apt/sources.list.d/debian-src.list ] ||
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            as_root tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
    as_root apt-get update -qq
    as_root mkdir -p "$folder"
    # _apt cannot write into a root-owned folder: apt-get says so, then fetches
    # as root. That note and dpkg-source's progress are noise here. A mirror
    # without the security suite's sources falls back to the release's own.
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    (cd "$folder" && { as_root apt-get source -qq "$@" 2>/dev/null ||
        as_root apt-get source -qq $(printf "%s/$release " "$@"); } 2>&1 |
        grep -v -e 'unsandboxed as root' -e '^dpkg-source: info:' -e '^Selected version' || true)
    unpacked "$@" || { echo "setup: could not fetch the $description sources" >&2; exit 1; }
}

# The native Typekiln draws with Debian 12's FreeType, built from its source
# package, so that its glyphs are those Wine's GDI draws here.
fetch_sources /usr/local/src/freetype "FreeType" freetype
[ "${1:-}" != native ] || exit 0

# Wine takes its ANSI code page from the glibc locale: ja_JP.UTF-8 gives 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi

# Vox.dll decodes Ogg Vorbis with Xiph's reference libraries, cross-built by
# the build from Debian's source packages; the build finds them here.
fetch_sources /usr/local/src/xiph "libogg and libvorbis" libogg libvorbis
# gfd.exe writes PNG with zlib and libpng, cross-built the same way (the
# native build links Debian's libpng-dev).
fetch_sources /usr/local/src/png "zlib and libpng" zlib libpng1.6
