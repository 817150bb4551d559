#include "tests/gui_driver/sound_sink.h"

#include <windows.h>

#include <algorithm>

#include "tests/test_files/test_files.h"
#include "win32/owners.h"

namespace {

// Named by the time each stream opened, all of the same length.
std::vector<std::string> streamNames(const std::string& sinkFolder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const SearchHandle search(FindFirstFileA((sinkFolder + "\\*.raw").c_str(), &entry));
    if (search) {
        do {
            names.push_back(sinkFolder + "\\" + entry.cFileName);
        } while (FindNextFileA(search.get(), &entry));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<Bytes> soundStreams(const std::string& sinkFolder) {
    std::vector<Bytes> streams;
    for (const std::string& name : streamNames(sinkFolder)) {
        streams.push_back(readFileBytes(name));
    }
    return streams;
}

std::vector<size_t> soundStreamSizes(const std::string& sinkFolder) {
    std::vector<size_t> sizes;
    for (const std::string& name : streamNames(sinkFolder)) {
        WIN32_FILE_ATTRIBUTE_DATA file;
        const bool found = GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &file) != 0;
        sizes.push_back(found ? (static_cast<size_t>(file.nFileSizeHigh) << 32) | file.nFileSizeLow : 0);
    }
    return sizes;
}

void clearSoundStreams(const std::string& sinkFolder) {
    for (const std::string& name : streamNames(sinkFolder)) {
        DeleteFileA(name.c_str());
    }
}

Bytes withoutSilence(const Bytes& pcm, int channels, size_t minFrames) {
    const size_t frameBytes = 2 * static_cast<size_t>(channels);
    auto silent = [&](size_t frame) {
        return std::all_of(pcm.begin() + frame * frameBytes, pcm.begin() + (frame + 1) * frameBytes,
                           [](unsigned char byte) { return byte == 0; });
    };
    const size_t frames = pcm.size() / frameBytes;
    Bytes kept;
    for (size_t frame = 0; frame < frames;) {
        size_t end = frame;
        while (end < frames && silent(end)) {
            ++end;
        }
        if (end - frame < minFrames) {
            end = std::max(end, frame + 1);
            kept.insert(kept.end(), pcm.begin() + frame * frameBytes, pcm.begin() + end * frameBytes);
        }
        frame = end;
    }
    return kept;
}
