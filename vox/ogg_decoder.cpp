#include "ogg_decoder.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// vorbisfile reads the file through these callbacks; holding it in memory
// lets it seek, so that it checks every chained stream and trims the last
// block to the length the stream declares.
struct MemoryFile {
    const unsigned char* bytes;
    size_t size;
    size_t position;
};

size_t readMemory(void* buffer, size_t itemSize, size_t itemCount, void* source) {
    auto* file = static_cast<MemoryFile*>(source);
    if (itemSize == 0) {
        return 0;
    }
    size_t items = std::min(itemCount, (file->size - file->position) / itemSize);
    std::memcpy(buffer, file->bytes + file->position, items * itemSize);
    file->position += items * itemSize;
    return items;
}

int seekMemory(void* source, ogg_int64_t offset, int origin) {
    auto* file = static_cast<MemoryFile*>(source);
    ogg_int64_t base = 0;
    if (origin == SEEK_CUR) {
        base = static_cast<ogg_int64_t>(file->position);
    } else if (origin == SEEK_END) {
        base = static_cast<ogg_int64_t>(file->size);
    } else if (origin != SEEK_SET) {
        return -1;
    }
    if (offset < -base || offset > static_cast<ogg_int64_t>(file->size) - base) {
        return -1;
    }
    file->position = static_cast<size_t>(base + offset);
    return 0;
}

long tellMemory(void* source) {
    return static_cast<long>(static_cast<MemoryFile*>(source)->position);
}

// vorbisfile skips damaged data and stops quietly at a cut page, so the page
// structure is checked first: every page whole and with a correct checksum,
// nothing between them, and the last one closing its stream.
bool hasIntactPages(const unsigned char* bytes, size_t size) {
    constexpr size_t kChunk = 64 * 1024;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    bool intact = true;
    bool endsStream = false;
    size_t fed = 0;
    for (;;) {
        ogg_page page;
        int result;
        while ((result = ogg_sync_pageout(&sync, &page)) != 0) {
            if (result < 0) {
                intact = false;  // libogg had to skip bytes to find a valid page
                break;
            }
            endsStream = ogg_page_eos(&page) != 0;
        }
        if (!intact || fed == size) {
            break;
        }
        size_t chunk = std::min(kChunk, size - fed);
        char* buffer = ogg_sync_buffer(&sync, static_cast<long>(chunk));
        if (buffer == nullptr) {
            intact = false;
            break;
        }
        std::memcpy(buffer, bytes + fed, chunk);
        ogg_sync_wrote(&sync, static_cast<long>(chunk));
        fed += chunk;
    }
    bool cutShort = sync.fill > sync.returned;
    ogg_sync_clear(&sync);
    return intact && endsStream && !cutShort;
}

bool formatIsPlayable(const vorbis_info* info) {
    return info != nullptr && info->channels >= 1 && info->channels <= kMaxChannels && info->rate >= 1 &&
           info->rate <= kMaxSampleRate;
}

bool decodeAll(OggVorbis_File& file, size_t maxPcmBytes, DecodedSound& sound) {
    const vorbis_info* first = ov_info(&file, -1);
    if (!formatIsPlayable(first)) {
        return false;
    }
    sound.channels = first->channels;
    sound.sampleRate = first->rate;

    constexpr int kBytesPerSample = 2;
    char block[4096 * kBytesPerSample];
    int lastStream = -1;
    for (;;) {
        int stream = 0;
        long got = ov_read(&file, block, sizeof block, 0 /* little-endian */, kBytesPerSample, 1 /* signed */,
                           &stream);
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            return false;  // a hole in the data or a stream that breaks off
        }
        if (stream != lastStream) {
            const vorbis_info* info = ov_info(&file, stream);
            if (info == nullptr || info->channels != sound.channels || info->rate != sound.sampleRate) {
                return false;
            }
            lastStream = stream;
        }
        size_t held = sound.samples.size() * kBytesPerSample;
        if (static_cast<size_t>(got) > maxPcmBytes - held) {
            return false;
        }
        size_t values = static_cast<size_t>(got) / kBytesPerSample;
        sound.samples.resize(sound.samples.size() + values);
        std::memcpy(sound.samples.data() + sound.samples.size() - values, block, values * kBytesPerSample);
    }
}

}  // namespace

bool decodeOggVorbis(const unsigned char* bytes, size_t size, size_t maxPcmBytes, DecodedSound& sound) {
    sound = DecodedSound{};
    if (bytes == nullptr || !hasIntactPages(bytes, size)) {
        return false;
    }
    MemoryFile memory{bytes, size, 0};
    const ov_callbacks callbacks{readMemory, seekMemory, nullptr, tellMemory};
    OggVorbis_File file;
    if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) {
        return false;
    }
    bool decoded = decodeAll(file, maxPcmBytes, sound);
    ov_clear(&file);
    if (!decoded) {
        sound = DecodedSound{};
    }
    return decoded;
}
