#pragma once

// The sound card of the tests that play (record-stream.sh): every sound
// stream a program opens lands as one file in the "sink" folder of its test.

#include <cstddef>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// The samples of every stream in `sinkFolder`, in the order they opened.
std::vector<Bytes> soundStreams(const std::string& sinkFolder);
// The size in bytes of every stream in `sinkFolder`, in the same order,
// without reading them: how many have opened and how far they have played.
std::vector<size_t> soundStreamSizes(const std::string& sinkFolder);
// Removes every stream from `sinkFolder`.
void clearSoundStreams(const std::string& sinkFolder);

// `pcm` (16-bit samples, `channels` to a frame) without its stretches of
// silence of at least `minFrames` frames. When the device runs dry (a busy
// machine, and a sink that plays four times faster than real time), Wine
// fills a period of 10 ms with silence, and it may pad the last one; compare
// played samples with expected ones after both have gone through this.
Bytes withoutSilence(const Bytes& pcm, int channels, size_t minFrames = 200);
