#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The decoding half of Vox.dll, free of any platform code so that it runs
// natively under the sanitizers and the fuzzer.

// A whole Ogg Vorbis file as 16-bit signed PCM: `samples` holds the frames
// one after the other, each frame one value per channel (left before right).
struct DecodedSound {
    int channels = 0;     // 1 or 2
    long sampleRate = 0;  // frames per second
    std::vector<int16_t> samples;

    size_t frameCount() const { return channels ? samples.size() / channels : 0; }
};

// The channel counts and rates that playback can hand to the sound card.
constexpr int kMaxChannels = 2;
constexpr long kMaxSampleRate = 192000;

// Decodes the Ogg Vorbis file `bytes[0, size)` completely, with Xiph's
// reference decoder. Returns true and fills `sound` on success. Returns false
// and leaves `sound` empty when the file is damaged (a page with a wrong
// checksum, bytes between pages, a packet the decoder rejects), truncated (a
// page cut short, or no end-of-stream page at the end), not Ogg Vorbis, has
// more than kMaxChannels channels or a rate above kMaxSampleRate, changes its
// channel count or rate from one chained stream to the next, or would decode
// to more than `maxPcmBytes` bytes of PCM. Never reads outside `bytes`.
bool decodeOggVorbis(const unsigned char* bytes, size_t size, size_t maxPcmBytes, DecodedSound& sound);
