#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "vox/decoder/ogg_decoder.h"

// The whole sound of an Ogg Vorbis file in memory, decoded by the decoder
// behind Vox.dll: what playback must hand to the sound card, byte for byte.
struct DecodedSound {
    int channels = 0;
    long sampleRate = 0;
    std::vector<unsigned char> pcm;  // 16-bit little-endian, frame after frame

    size_t frameCount() const { return pcm.size() / (2 * static_cast<size_t>(channels)); }
    int16_t sample(size_t frame, int channel) const;
};

// Hands out `bytes` front to back, as a file on disk is read; `bytes` must
// outlive the reader.
OggVorbisStream::Reader readerOf(const std::vector<unsigned char>& bytes);

// Decodes `bytes` front to back, at most `maxPcmBytes` of PCM (a bound for
// the fuzzer). Nothing when the decoder refuses the file.
std::optional<DecodedSound> decodeWhole(const std::vector<unsigned char>& bytes,
                                        size_t maxPcmBytes = SIZE_MAX);
