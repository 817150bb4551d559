#!/bin/sh
# Makes the sample sounds in examples/ with Debian's sox, oggenc and lame:
# short WAV, Ogg Vorbis and MP3 files and a one-phrase MIDI file, in two
# subfolders, as the browser expects to find them below its start folder.
# The samples are committed; run this only to change them. The output is
# the same on every run (no dither, fixed Ogg serial numbers).
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh

out=examples
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out/effects" "$out/music"

# synth NAME SECONDS CHANNELS EFFECTS...: a 22.05 kHz 16-bit WAV in the scratch folder
synth() {
    name=$1 seconds=$2 channels=$3
    shift 3
    sox -D -n -r 22050 -b 16 -c "$channels" "$scratch/$name.wav" synth "$seconds" "$@"
}

synth chime 0.8 1 sine 1320 sine 1980 fade 0 0.8 0.7 remix 1,2
synth click 0.05 1 square 2000 fade 0 0.05 0.04
synth sweep 1.0 2 sine 200-2000 sine 2000-200 fade 0.05 1 0.2
synth drone 2.0 1 sawtooth 110 lowpass 800 fade 0.3 2 0.5 vol 0.6
synth arpeggio 1.6 2 pluck 262 pluck 330 delay 0 0.4 fade 0 1.6 0.3 vol 0.8
synth bell 1.2 1 sine 880 sine 1760 remix 1,2 fade 0 1.2 1.1 vol 0.7

cp "$scratch/chime.wav" "$scratch/click.wav" "$out/effects/"
cp "$scratch/drone.wav" "$out/music/"
oggenc --quiet --serial 101 --quality 2 --discard-comments -o "$out/effects/sweep.ogg" "$scratch/sweep.wav"
oggenc --quiet --serial 102 --quality 2 --discard-comments -o "$out/music/arpeggio.ogg" "$scratch/arpeggio.wav"
lame --quiet -b 48 --noreplaygain "$scratch/bell.wav" "$out/music/bell.mp3"

# A phrase of four notes, one track, 96 ticks a quarter note. This machine
# has no MIDI output, but the browser lists it and MCI opens it.
printf 'MThd\000\000\000\006\000\000\000\001\000\140' >"$out/music/phrase.mid"
printf 'MTrk\000\000\000\045' >>"$out/music/phrase.mid"
printf '\000\220\074\100\140\200\074\100' >>"$out/music/phrase.mid"
printf '\000\220\100\100\140\200\100\100' >>"$out/music/phrase.mid"
printf '\000\220\103\100\140\200\103\100' >>"$out/music/phrase.mid"
printf '\000\220\110\100\201\100\200\110\100' >>"$out/music/phrase.mid"
printf '\000\377\057\000' >>"$out/music/phrase.mid"
# The help file that the browser's menu item ヘルプ opens: code page 932,
# like every text the browser reads.
sed 's/$/\r/' <<'TEXT' | iconv -f UTF-8 -t CP932 >"$out/read_me.txt"
Pelliton +OggVorbis版 サウンドビューア

起動したフォルダの下にあるフォルダを上の一覧から選ぶと、その中の
WAV・MP3・MIDI・Ogg Vorbis のファイルが下の一覧に並びます。
ファイルを選ぶとすぐに鳴ります。♪ でもう一度最初から鳴らします。
保存 (または一覧でのダブルクリック) で、選んだファイルの写しを
好きな名前で保存します。ログ付保存 に印を付けておくと、写しの横に
いつどこから写したかを一行書いたファイル (写しの名前 + .txt) を作ります。
右クリックで同じ操作のメニューが開きます。

Ogg Vorbis の再生には Vox.dll を使います。Vox.dll は Xiph.Org Foundation の
libogg と libvorbis で復号しています。両者の使用許諾は次のとおりです。

TEXT
for library in libogg libvorbis; do
    printf '\r\n----- %s -----\r\n' "$library" >>"$out/read_me.txt"
    sed 's/$/\r/' /usr/local/src/xiph/$library-*/COPYING >>"$out/read_me.txt"
done
ls -l "$out" "$out/effects" "$out/music"
