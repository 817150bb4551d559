// The five exported functions over the table of loaded sounds.

#include <memory>
#include <new>
#include <mutex>

#include "ogg_decoder.h"
#include "vox.h"
#include "wave_player.h"
#include "whole_file.h"

namespace {

// Handles 1 to 254 name sounds; 0 and 255 stay free so that neither a
// caller's "nothing yet" nor the low byte of -1 ever names one.
constexpr int kFirstHandle = 1;
constexpr int kLastHandle = 254;

// Limits that keep a hostile file from exhausting memory: compressed files
// of a few hundred megabytes, and about 50 minutes of 44.1 kHz stereo.
constexpr size_t kMaxFileBytes = 256u << 20;
constexpr size_t kMaxPcmBytes = 512u << 20;

struct LoadedSound {
    DecodedSound pcm;
    WavePlayer player;  // declared after the PCM it plays, so it stops first
};

std::mutex tableLock;
std::unique_ptr<LoadedSound> sounds[kLastHandle + 1];

LoadedSound* soundOf(int handle) {
    if (handle < kFirstHandle || handle > kLastHandle) {
        return nullptr;
    }
    return sounds[handle].get();
}

}  // namespace

extern "C" int __stdcall VoxLoad(const char* path) {
    if (path == nullptr) {
        return -1;
    }
    std::unique_ptr<LoadedSound> sound;
    // A large file may not fit in memory; that is a failed load, and no
    // exception may cross into the calling program.
    try {
        std::vector<unsigned char> file;
        sound = std::make_unique<LoadedSound>();
        if (!readWholeFile(path, kMaxFileBytes, file) ||
            !decodeOggVorbis(file.data(), file.size(), kMaxPcmBytes, sound->pcm)) {
            return -1;
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    std::lock_guard<std::mutex> lock(tableLock);
    for (int handle = kFirstHandle; handle <= kLastHandle; ++handle) {
        if (!sounds[handle]) {
            sounds[handle] = std::move(sound);
            return handle;
        }
    }
    return -1;
}

extern "C" int __stdcall VoxPlay(int handle) {
    std::lock_guard<std::mutex> lock(tableLock);
    LoadedSound* sound = soundOf(handle);
    return sound != nullptr && sound->player.start(sound->pcm) ? 1 : 0;
}

extern "C" int __stdcall VoxGetStatus(int handle) {
    std::lock_guard<std::mutex> lock(tableLock);
    const LoadedSound* sound = soundOf(handle);
    if (sound == nullptr) {
        return -1;
    }
    return sound->player.isPlaying() ? 1 : 0;
}

extern "C" int __stdcall VoxRelease(int handle) {
    std::lock_guard<std::mutex> lock(tableLock);
    if (soundOf(handle) != nullptr) {
        sounds[handle].reset();
    }
    return 1;
}

extern "C" int __stdcall VoxDelete(int) {
    std::lock_guard<std::mutex> lock(tableLock);
    for (auto& sound : sounds) {
        sound.reset();
    }
    return 1;
}
