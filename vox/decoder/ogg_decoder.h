#pragma once

#include <cstddef>
#include <functional>
#include <memory>

// The decoding half of Vox.dll, free of any platform code so that it runs
// natively under the sanitizers and the fuzzer.

// The channel counts and rates that playback can hand to the sound card.
constexpr int kMaxChannels = 2;
constexpr long kMaxSampleRate = 192000;

// Decodes an Ogg Vorbis file as it is read, from its start to its end, with
// Xiph's reference decoder; it never seeks, and holds no more of the file
// than the page it decodes. Not copyable or movable: the decoder keeps its
// address.
//
// Reading is as tolerant as the reference decoder: a damaged page (wrong
// checksum, cut short) and bytes between or after pages are skipped, and the
// sound goes on with the next good page; the sound ends where the data ends,
// whether or not its last page carries the end-of-stream flag. Chained
// streams of the first stream's channel count and rate play one after
// another; the sound ends where a stream with another format, or one whose
// headers cannot be read, begins.
class OggVorbisStream {
public:
    // Fills `buffer` with up to `bytes` bytes of the file, in order; returns
    // how many, 0 at the end of the file or when it cannot be read.
    using Reader = std::function<size_t(unsigned char* buffer, size_t bytes)>;

    OggVorbisStream();
    ~OggVorbisStream();
    OggVorbisStream(const OggVorbisStream&) = delete;
    OggVorbisStream& operator=(const OggVorbisStream&) = delete;

    // Reads the headers of the first stream through `reader`, which the
    // stream keeps until it is destroyed. Returns false when the data is not
    // Ogg Vorbis, ends inside its three header packets, or has more than
    // kMaxChannels channels or a rate above kMaxSampleRate. Call it once.
    bool open(Reader reader);

    // The format of every sample read(), valid after a successful open().
    int channels() const;
    long sampleRate() const;
    size_t frameBytes() const { return static_cast<size_t>(channels()) * 2; }

    // Decodes the next samples into `buffer`: 16-bit signed little-endian
    // values, frame after frame, each frame one value per channel (left
    // before right). Fills the whole `bytes` (rounded down to whole frames)
    // unless the sound ends first; returns the bytes written, 0 once the
    // sound has ended.
    size_t read(unsigned char* buffer, size_t bytes);

private:
    struct Decoder;
    std::unique_ptr<Decoder> decoder_;
};
