#include "tests/vox/decoded_sound.h"

#include <algorithm>
#include <cstring>

int16_t DecodedSound::sample(size_t frame, int channel) const {
    const size_t at = (frame * channels + channel) * 2;
    return static_cast<int16_t>(pcm.at(at) | pcm.at(at + 1) << 8);
}

OggVorbisStream::Reader readerOf(const std::vector<unsigned char>& bytes) {
    return [&bytes, position = size_t{0}](unsigned char* buffer, size_t wanted) mutable {
        const size_t count = std::min(wanted, bytes.size() - position);
        if (count > 0) {
            std::memcpy(buffer, bytes.data() + position, count);
        }
        position += count;
        return count;
    };
}

std::optional<DecodedSound> decodeWhole(const std::vector<unsigned char>& bytes, size_t maxPcmBytes) {
    OggVorbisStream stream;
    if (!stream.open(readerOf(bytes))) {
        return std::nullopt;
    }
    DecodedSound sound;
    sound.channels = stream.channels();
    sound.sampleRate = stream.sampleRate();
    constexpr size_t kBlockBytes = 4096;  // any size: the decoder fills every block it can
    while (sound.pcm.size() < maxPcmBytes) {
        const size_t held = sound.pcm.size();
        sound.pcm.resize(held + kBlockBytes);
        const size_t got = stream.read(sound.pcm.data() + held, kBlockBytes);
        sound.pcm.resize(held + got);
        if (got == 0) {
            break;
        }
    }
    return sound;
}
