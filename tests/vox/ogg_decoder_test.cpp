#include "ogg_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ogg_page_editing.h"

namespace {

constexpr size_t kNoLimit = SIZE_MAX;

std::vector<unsigned char> fixture(const char* name) {
    std::ifstream file(std::string(VOX_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool decode(const std::vector<unsigned char>& bytes, DecodedSound& sound, size_t limit = kNoLimit) {
    return decodeOggVorbis(bytes.data(), bytes.size(), limit, sound);
}

// The two files one after the other, as one chained Ogg file; chained
// streams need serial numbers of their own.
std::vector<unsigned char> chainOf(const char* first, const char* second) {
    std::vector<unsigned char> chain = fixture(first);
    std::vector<unsigned char> next = fixture(second);
    setSerialNumber(next, 2);
    chain.insert(chain.end(), next.begin(), next.end());
    return chain;
}

struct ChannelStats {
    double rms;
    int zeroCrossings;
};

ChannelStats statsOf(const DecodedSound& sound, int channel) {
    double sumOfSquares = 0;
    int crossings = 0;
    int previous = 0;
    for (size_t frame = 0; frame < sound.frameCount(); ++frame) {
        int value = sound.samples[frame * sound.channels + channel];
        sumOfSquares += double(value) * value;
        if (frame > 0 && (previous < 0) != (value < 0)) {
            ++crossings;
        }
        previous = value;
    }
    return {std::sqrt(sumOfSquares / sound.frameCount()), crossings};
}

TEST(OggDecoder, DecodesStereoFileToItsLengthRateAndChannelOrder) {
    DecodedSound sound;
    ASSERT_TRUE(decode(fixture("tone-stereo.ogg"), sound));
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.sampleRate, 44100);
    EXPECT_EQ(sound.frameCount(), 11025u);  // 0.25 s, trimmed to the stream's own length

    // Left: 440 Hz at half scale, so an RMS of 32767 / 2 / sqrt(2) and two
    // zero crossings per period. Right: silence.
    ChannelStats left = statsOf(sound, 0);
    ChannelStats right = statsOf(sound, 1);
    EXPECT_NEAR(left.rms, 11585, 600);
    EXPECT_NEAR(left.zeroCrossings, 220, 4);
    EXPECT_LT(right.rms, 300);
}

TEST(OggDecoder, DecodesMonoFile) {
    DecodedSound sound;
    ASSERT_TRUE(decode(fixture("long-mono.ogg"), sound));
    EXPECT_EQ(sound.channels, 1);
    EXPECT_EQ(sound.sampleRate, 22050);
    EXPECT_EQ(sound.frameCount(), 8u * 22050);
    EXPECT_NEAR(statsOf(sound, 0).zeroCrossings, 2 * 330 * 8, 8);
}

TEST(OggDecoder, RefusesFileCutAnywhere) {
    const std::vector<unsigned char> whole = fixture("tone-stereo.ogg");
    std::vector<size_t> cuts = pageOffsets(whole);  // whole pages, but no end of stream
    for (size_t cut = 1; cut < whole.size(); cut += 37) {
        cuts.push_back(cut);
    }
    for (size_t cut : cuts) {
        std::vector<unsigned char> truncated(whole.begin(), whole.begin() + cut);
        DecodedSound sound;
        EXPECT_FALSE(decode(truncated, sound)) << "cut at " << cut;
        EXPECT_TRUE(sound.samples.empty());
    }
}

TEST(OggDecoder, RefusesDamagedPage) {
    const std::vector<unsigned char> whole = fixture("tone-stereo.ogg");
    for (size_t position = 0; position < whole.size(); position += 53) {
        std::vector<unsigned char> damaged = whole;
        damaged[position] ^= 0x5A;
        DecodedSound sound;
        EXPECT_FALSE(decode(damaged, sound)) << "byte " << position;
    }
}

TEST(OggDecoder, RefusesBytesOutsidePages) {
    std::vector<unsigned char> trailing = fixture("tone-stereo.ogg");
    trailing.insert(trailing.end(), {'j', 'u', 'n', 'k'});
    std::vector<unsigned char> leading = fixture("tone-stereo.ogg");
    leading.insert(leading.begin(), {'R', 'I', 'F', 'F'});
    DecodedSound sound;
    EXPECT_FALSE(decode(trailing, sound));
    EXPECT_FALSE(decode(leading, sound));
}

TEST(OggDecoder, RefusesWhatIsNotOggVorbis) {
    DecodedSound sound;
    EXPECT_FALSE(decodeOggVorbis(nullptr, 0, kNoLimit, sound));
    EXPECT_FALSE(decode({}, sound));
    std::vector<unsigned char> wave = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E'};
    EXPECT_FALSE(decode(wave, sound));
}

TEST(OggDecoder, RefusesPacketsTheDecoderRejectsEvenWithValidChecksums) {
    std::vector<unsigned char> bytes = fixture("tone-stereo.ogg");
    // Overwrite the identification header's "vorbis" signature.
    bytes[pageOffsets(bytes)[0] + 28 + 1] = 'X';
    repairChecksums(bytes);
    DecodedSound sound;
    EXPECT_FALSE(decode(bytes, sound));
}

TEST(OggDecoder, RefusesMoreThanTwoChannels) {
    DecodedSound sound;
    EXPECT_FALSE(decode(fixture("three-channels.ogg"), sound));
}

TEST(OggDecoder, StopsAtThePcmLimit) {
    const size_t pcmBytes = 11025u * 2 * sizeof(int16_t);
    DecodedSound sound;
    EXPECT_TRUE(decode(fixture("tone-stereo.ogg"), sound, pcmBytes));
    EXPECT_FALSE(decode(fixture("tone-stereo.ogg"), sound, pcmBytes - 1));
    EXPECT_TRUE(sound.samples.empty());
}

TEST(OggDecoder, PlaysChainedStreamsOfOneFormatOneAfterTheOther) {
    DecodedSound sound;
    ASSERT_TRUE(decode(chainOf("long-mono.ogg", "long-mono.ogg"), sound));
    EXPECT_EQ(sound.frameCount(), 2u * 8 * 22050);
}

TEST(OggDecoder, RefusesChainedStreamsThatChangeFormat) {
    DecodedSound sound;
    EXPECT_FALSE(decode(chainOf("long-mono.ogg", "tone-stereo.ogg"), sound));
}

}  // namespace
