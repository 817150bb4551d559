#include "vox/decoder/ogg_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/vox/decoded_sound.h"
#include "tests/vox/ogg_page_editing.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Bytes fixture(const char* name) {
    return fileBytes(std::string(VOX_TEST_DATA) + "/" + name);
}

// Three seconds of stereo in six audio pages, made at build time.
Bytes pagedStereo() {
    return fileBytes(std::string(VOX_TEST_SOUNDS) + "/paged-stereo.ogg");
}

// The two files one after the other, as one chained Ogg file; chained
// streams need serial numbers of their own.
Bytes chainOf(Bytes first, Bytes second) {
    setSerialNumber(second, 2);
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

bool startsWith(const Bytes& bytes, const Bytes& prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// The identification header sits alone on the first page: packet type,
// "vorbis", version, then the channel count and the rate.
constexpr size_t kRateInIdHeader = 12;

Bytes withRate(Bytes bytes, uint32_t rate) {
    editPages(bytes, [rate](ogg_page& page) {
        if (ogg_page_pageno(&page) == 0) {
            for (int i = 0; i < 4; ++i) {
                page.body[kRateInIdHeader + i] = static_cast<unsigned char>(rate >> (8 * i));
            }
        }
    });
    return bytes;
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
        int value = sound.sample(frame, channel);
        sumOfSquares += double(value) * value;
        if (frame > 0 && (previous < 0) != (value < 0)) {
            ++crossings;
        }
        previous = value;
    }
    return {std::sqrt(sumOfSquares / sound.frameCount()), crossings};
}

TEST(OggDecoder, DecodesStereoFileToItsLengthRateAndChannelOrder) {
    std::optional<DecodedSound> sound = decodeWhole(fixture("tone-stereo.ogg"));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->sampleRate, 44100);
    EXPECT_EQ(sound->frameCount(), 11025u);  // 0.25 s, trimmed to the stream's own length

    // Left: 440 Hz at half scale, so an RMS of 32767 / 2 / sqrt(2) and two
    // zero crossings per period. Right: silence.
    ChannelStats left = statsOf(*sound, 0);
    ChannelStats right = statsOf(*sound, 1);
    EXPECT_NEAR(left.rms, 11585, 600);
    EXPECT_NEAR(left.zeroCrossings, 220, 4);
    EXPECT_LT(right.rms, 300);
}

TEST(OggDecoder, DecodesMonoFile) {
    std::optional<DecodedSound> sound = decodeWhole(fixture("long-mono.ogg"));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->sampleRate, 22050);
    EXPECT_EQ(sound->frameCount(), 8u * 22050);
    EXPECT_NEAR(statsOf(*sound, 0).zeroCrossings, 2 * 330 * 8, 8);
}

// Playback asks for blocks of its own size; the samples must not depend on it.
TEST(OggDecoder, ReadsTheSameSamplesInBlocksOfAnySizeAndOnlyWholeFrames) {
    const Bytes file = pagedStereo();
    const DecodedSound whole = *decodeWhole(file);
    for (size_t block : {size_t{4}, size_t{7}, size_t{4410 * 4}, size_t{1} << 20}) {
        OggVorbisStream stream;
        ASSERT_TRUE(stream.open(readerOf(file)));
        Bytes pcm;
        Bytes buffer(block);
        for (size_t got; (got = stream.read(buffer.data(), block)) > 0;) {
            EXPECT_EQ(got % 4, 0u) << block;
            EXPECT_TRUE(got == block - block % 4 || stream.read(buffer.data(), block) == 0) << block;
            pcm.insert(pcm.end(), buffer.begin(), buffer.begin() + got);
        }
        EXPECT_EQ(pcm, whole.pcm) << "blocks of " << block;
    }
}

// Files that other tools write or damage: each plays, as much of it as can
// be decoded, with the samples the intact file has.
TEST(OggDecoder, PlaysFilesWithDamageTrailingBytesOrNoEndOfStreamFlag) {
    const Bytes intact = pagedStereo();
    const DecodedSound reference = *decodeWhole(intact);
    const std::vector<size_t> pages = pageOffsets(intact);
    ASSERT_EQ(pages.size(), 8u);  // two of headers, six of audio

    Bytes tagged = intact;  // a tag another tool has appended
    const char tag[] = "TAG:a title that is not Ogg at all";
    tagged.insert(tagged.end(), std::begin(tag), std::end(tag));
    std::optional<DecodedSound> sound = decodeWhole(tagged);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->pcm, reference.pcm) << "trailing bytes";

    Bytes endless = intact;
    editPages(endless, [](ogg_page& page) { page.header[5] &= ~0x04; });  // the end-of-stream flag
    sound = decodeWhole(endless);
    ASSERT_TRUE(sound);
    // Without the flag nothing says that the last block is shorter than
    // a whole one, so the sound may end in up to a block of the decoder's
    // padding.
    EXPECT_TRUE(startsWith(sound->pcm, reference.pcm)) << "no end-of-stream flag";
    EXPECT_LE(sound->frameCount(), reference.frameCount() + 2048);

    Bytes cut(intact.begin(), intact.begin() + (pages[5] + pages[6]) / 2);  // inside an audio page
    sound = decodeWhole(cut);
    ASSERT_TRUE(sound);
    EXPECT_GT(sound->frameCount(), reference.frameCount() / 2) << "cut short";
    EXPECT_TRUE(startsWith(reference.pcm, sound->pcm)) << "cut short";

    Bytes damaged = intact;
    damaged[(pages[4] + pages[5]) / 2] ^= 0x5A;  // one wrong byte in the third audio page
    sound = decodeWhole(damaged);
    ASSERT_TRUE(sound);
    // The page is skipped: its samples are missing, those before it are
    // intact, and the sound goes on after it to the end.
    EXPECT_LT(sound->frameCount(), reference.frameCount());
    EXPECT_GT(sound->frameCount(), reference.frameCount() * 3 / 4);
    const size_t framesBefore = 40000;  // the first two audio pages end at 47,808
    EXPECT_TRUE(
        std::equal(reference.pcm.begin(), reference.pcm.begin() + framesBefore * 4, sound->pcm.begin()));
    const size_t lastFrames = 4000;
    EXPECT_TRUE(std::equal(reference.pcm.end() - lastFrames * 4, reference.pcm.end(),
                           sound->pcm.end() - lastFrames * 4));
}

TEST(OggDecoder, PlaysChainedStreamsOfOneFormatOneAfterTheOther) {
    const DecodedSound mono = *decodeWhole(fixture("long-mono.ogg"));
    std::optional<DecodedSound> chained =
        decodeWhole(chainOf(fixture("long-mono.ogg"), fixture("long-mono.ogg")));
    ASSERT_TRUE(chained);
    Bytes twice = mono.pcm;
    twice.insert(twice.end(), mono.pcm.begin(), mono.pcm.end());
    EXPECT_EQ(chained->pcm, twice);
}

TEST(OggDecoder, EndsTheSoundWhereAChainedStreamChangesFormat) {
    const DecodedSound mono = *decodeWhole(fixture("long-mono.ogg"));
    std::optional<DecodedSound> chained =
        decodeWhole(chainOf(fixture("long-mono.ogg"), fixture("tone-stereo.ogg")));
    ASSERT_TRUE(chained);
    EXPECT_EQ(chained->channels, 1);
    EXPECT_EQ(chained->pcm, mono.pcm);
}

TEST(OggDecoder, RefusesWhatIsNotPlayableOggVorbis) {
    const Bytes tone = fixture("tone-stereo.ogg");
    Bytes badSignature = tone;
    badSignature[pageOffsets(badSignature)[0] + 28 + 1] = 'X';  // "vorbis" in the identification header
    repairChecksums(badSignature);
    struct Refusal {
        const char* what;
        Bytes bytes;
    };
    const Refusal refusals[] = {
        {"empty", {}},
        {"a WAV file", {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}},
        {"a broken identification header", badSignature},
        {"three channels", fixture("three-channels.ogg")},
        {"a rate above 192 kHz", withRate(tone, 192001)},
    };
    for (const Refusal& refusal : refusals) {
        EXPECT_FALSE(decodeWhole(refusal.bytes)) << refusal.what;
    }
    EXPECT_TRUE(decodeWhole(withRate(tone, 192000)));
}

TEST(OggDecoder, RefusesAFileCutInsideItsHeaders) {
    const Bytes whole = fixture("tone-stereo.ogg");
    const size_t headerBytes = pageOffsets(whole)[2];  // the identification page, then comment and setup
    for (size_t cut = 0; cut < headerBytes; cut += 37) {
        EXPECT_FALSE(decodeWhole(Bytes(whole.begin(), whole.begin() + cut))) << "cut at " << cut;
    }
}

// A crafted chain that made the library's seekable open leak what it had
// parsed, once its checksums are right; LeakSanitizer fails this test in the
// native build if anything leaks.
TEST(OggDecoder, CraftedChainLeavesNothingBehind) {
    Bytes crafted = fileBytes(std::string(VOX_FUZZ_CORPUS) + "/chained-open-leak.ogg");
    ASSERT_FALSE(crafted.empty());
    decodeWhole(crafted);
    repairChecksums(crafted);
    decodeWhole(crafted);
}

}  // namespace
