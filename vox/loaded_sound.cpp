#include "vox/loaded_sound.h"

#include <new>
#include <utility>

bool playSound(LoadedSound& sound) {
    unsigned thisPlay = 0;
    std::unique_ptr<WavePlayer> previous;
    {
        std::lock_guard<std::mutex> hold(sound.lock);
        if (sound.released) {
            return false;
        }
        thisPlay = ++sound.playsBegun;
        previous = std::move(sound.playback);
    }
    // A sound played again starts over: the old playback is silent before
    // the new one is prepared.
    previous.reset();

    // Declared before the lock below, so that a player this play gives up is
    // closed after the lock is let go.
    std::unique_ptr<WavePlayer> player(new (std::nothrow) WavePlayer);
    std::unique_ptr<OggFile> file = OggFile::open(sound.path.c_str());
    if (!player || !file || !player->open(std::move(file))) {
        return false;
    }
    std::lock_guard<std::mutex> hold(sound.lock);
    if (sound.released) {
        return false;
    }
    if (sound.playsBegun != thisPlay) {
        return true;
    }
    if (!player->play()) {
        return false;
    }
    // Nothing plays here now: this play took out what played when it began,
    // and every play begun earlier finds itself overtaken.
    sound.playback = std::move(player);
    return true;
}

int statusOf(LoadedSound& sound) {
    std::lock_guard<std::mutex> hold(sound.lock);
    if (sound.released) {
        return -1;
    }
    return sound.playback && sound.playback->isPlaying() ? 1 : 0;
}

void releaseSound(LoadedSound& sound) {
    std::unique_ptr<WavePlayer> playback;
    {
        std::lock_guard<std::mutex> hold(sound.lock);
        sound.released = true;
        playback = std::move(sound.playback);
    }
    playback.reset();  // waits for its thread, outside the lock
}
