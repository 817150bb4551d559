#include "vox/decoder/ogg_decoder.h"

#include <vorbis/vorbisfile.h>

#include <climits>

namespace {

bool formatIsPlayable(const vorbis_info* info) {
    return info != nullptr && info->channels >= 1 && info->channels <= kMaxChannels && info->rate >= 1 &&
           info->rate <= kMaxSampleRate;
}

}  // namespace

struct OggVorbisStream::Decoder {
    Reader reader;
    OggVorbis_File file = {};
    bool opened = false;
    bool ended = false;
    int channels = 0;
    long rate = 0;
    int link = 0;  // the chained stream whose samples read() hands out

    ~Decoder() {
        if (opened) {
            ov_clear(&file);
        }
    }

    static size_t readThrough(void* buffer, size_t itemSize, size_t itemCount, void* self) {
        if (itemSize != 1) {
            return 0;  // vorbisfile asks for bytes
        }
        return static_cast<Decoder*>(self)->reader(static_cast<unsigned char*>(buffer), itemCount);
    }

    // One call of the library's decoder: bytes of one packet at most, 0 at
    // the end of the sound. Holes (a page lost to damage) are stepped over.
    size_t decodeSome(unsigned char* buffer, size_t bytes) {
        const int length = static_cast<int>(bytes < INT_MAX ? bytes : INT_MAX);
        for (;;) {
            int stream = 0;
            const long got = ov_read(&file, reinterpret_cast<char*>(buffer), length, 0 /* little-endian */,
                                     2 /* 16 bits */, 1 /* signed */, &stream);
            if (got == OV_HOLE) {
                continue;
            }
            if (got <= 0) {
                return 0;  // the end, or a next stream whose headers are broken
            }
            if (stream != link) {
                // These samples open the next chained stream; its headers
                // have replaced the first stream's.
                const vorbis_info* next = ov_info(&file, -1);
                if (next == nullptr || next->channels != channels || next->rate != rate) {
                    return 0;
                }
                link = stream;
            }
            return static_cast<size_t>(got);
        }
    }
};

OggVorbisStream::OggVorbisStream() : decoder_(std::make_unique<Decoder>()) {}

OggVorbisStream::~OggVorbisStream() = default;

bool OggVorbisStream::open(Reader reader) {
    Decoder& d = *decoder_;
    d.reader = std::move(reader);
    // No seek callback: the library then reads the file front to back, as
    // playback does, and never runs its seekable open, which scans the whole
    // file for chained streams before the first sample (and leaks what it
    // has parsed when a crafted chain makes it give up).
    const ov_callbacks callbacks{Decoder::readThrough, nullptr, nullptr, nullptr};
    if (ov_open_callbacks(&d, &d.file, nullptr, 0, callbacks) != 0) {
        return false;  // the library has cleared what it had opened
    }
    d.opened = true;
    const vorbis_info* first = ov_info(&d.file, -1);
    if (!formatIsPlayable(first)) {
        d.ended = true;
        return false;
    }
    d.channels = first->channels;
    d.rate = first->rate;
    return true;
}

int OggVorbisStream::channels() const {
    return decoder_->channels;
}

long OggVorbisStream::sampleRate() const {
    return decoder_->rate;
}

size_t OggVorbisStream::read(unsigned char* buffer, size_t bytes) {
    Decoder& d = *decoder_;
    if (!d.opened || d.ended) {
        return 0;
    }
    bytes -= bytes % frameBytes();
    size_t filled = 0;
    while (filled < bytes) {
        const size_t got = d.decodeSome(buffer + filled, bytes - filled);
        if (got == 0) {
            d.ended = true;
            break;
        }
        filled += got;
    }
    return filled;
}
