#pragma once

#include <memory>

#include "vox/decoder/ogg_decoder.h"
#include "win32/owners.h"

// An Ogg Vorbis file on disk, open for decoding from its start. Each
// playback opens the file anew: the decoder cannot go back.
class OggFile {
public:
    // Opens the file at `path` (code page 932) and reads its headers.
    // Returns nullptr when it cannot be opened or read, or when its decoder
    // refuses it (OggVorbisStream::open), or when memory runs out.
    static std::unique_ptr<OggFile> open(const char* path);

    OggFile(const OggFile&) = delete;
    OggFile& operator=(const OggFile&) = delete;

    OggVorbisStream& stream() { return stream_; }

    // Once the event `stop` is set, the file reads as ended: a playback that
    // is stopped while the decoder searches a long damaged stretch for its
    // next page ends at once instead of reading on to the next good page.
    void stopReadingWhen(HANDLE stop) { stop_ = stop; }

private:
    OggFile() = default;

    KernelHandle file_;
    HANDLE stop_ = nullptr;
    OggVorbisStream stream_;  // declared after the file it reads, so it goes first
};
