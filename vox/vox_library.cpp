// The five exported functions over the table of loaded sounds.

#include <memory>
#include <mutex>
#include <new>
#include <utility>

#include "vox/loaded_sound.h"
#include "vox/ogg_file.h"
#include "vox/vox.h"

namespace {

// Handles 1 to 254 name sounds; 0 and 255 stay free so that neither a
// caller's "nothing yet" nor the low byte of -1 ever names one.
constexpr int kFirstHandle = 1;
constexpr int kLastHandle = 254;

// Guards `sounds`: which handle names which sound, and nothing inside a
// sound. It is held only to look a slot up, fill it or empty it, so that a
// call never waits here on another call's file or device. Lock order: no
// sound's lock is taken while it is held, and it is not taken while a
// sound's lock is held.
std::mutex tableLock;
std::shared_ptr<LoadedSound> sounds[kLastHandle + 1];

bool isHandle(int handle) {
    return handle >= kFirstHandle && handle <= kLastHandle;
}

std::shared_ptr<LoadedSound> soundOf(int handle) {
    if (!isHandle(handle)) {
        return nullptr;
    }
    std::lock_guard<std::mutex> hold(tableLock);
    return sounds[handle];
}

// Empties the slot of `handle` and gives back what it held.
std::shared_ptr<LoadedSound> takeSound(int handle) {
    if (!isHandle(handle)) {
        return nullptr;
    }
    std::lock_guard<std::mutex> hold(tableLock);
    return std::move(sounds[handle]);
}

}  // namespace

extern "C" int __stdcall VoxLoad(const char* path) {
    if (path == nullptr || !OggFile::open(path)) {
        return -1;
    }
    std::shared_ptr<LoadedSound> sound;
    // No exception may cross into the calling program.
    try {
        sound = std::make_shared<LoadedSound>(path);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    std::lock_guard<std::mutex> hold(tableLock);
    for (int handle = kFirstHandle; handle <= kLastHandle; ++handle) {
        if (!sounds[handle]) {
            sounds[handle] = std::move(sound);
            return handle;
        }
    }
    return -1;
}

extern "C" int __stdcall VoxPlay(int handle) {
    const std::shared_ptr<LoadedSound> sound = soundOf(handle);
    return sound && playSound(*sound) ? 1 : 0;
}

extern "C" int __stdcall VoxGetStatus(int handle) {
    const std::shared_ptr<LoadedSound> sound = soundOf(handle);
    return sound ? statusOf(*sound) : -1;
}

extern "C" int __stdcall VoxRelease(int handle) {
    if (const std::shared_ptr<LoadedSound> sound = takeSound(handle)) {
        releaseSound(*sound);
    }
    return 1;
}

extern "C" int __stdcall VoxDelete(int) {
    std::shared_ptr<LoadedSound> taken[kLastHandle + 1];
    {
        std::lock_guard<std::mutex> hold(tableLock);
        std::swap(taken, sounds);
    }
    for (const std::shared_ptr<LoadedSound>& sound : taken) {
        if (sound) {
            releaseSound(*sound);
        }
    }
    return 1;
}
