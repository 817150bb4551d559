// The five exported functions over the table of loaded sounds.

#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "ogg_file.h"
#include "vox.h"
#include "wave_player.h"

namespace {

// Handles 1 to 254 name sounds; 0 and 255 stay free so that neither a
// caller's "nothing yet" nor the low byte of -1 ever names one.
constexpr int kFirstHandle = 1;
constexpr int kLastHandle = 254;

// A loaded sound is its path: every playback reads the file from its start.
struct LoadedSound {
    std::string path;
    WavePlayer player;
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
    if (path == nullptr || !OggFile::open(path)) {
        return -1;
    }
    std::unique_ptr<LoadedSound> sound;
    // No exception may cross into the calling program.
    try {
        sound = std::make_unique<LoadedSound>();
        sound->path = path;
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
    if (sound == nullptr) {
        return 0;
    }
    sound->player.stop();
    std::unique_ptr<OggFile> file = OggFile::open(sound->path.c_str());
    return file && sound->player.start(std::move(file)) ? 1 : 0;
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
