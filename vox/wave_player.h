#pragma once

#include <windows.h>

#include "ogg_decoder.h"
#include "unique_handle.h"

// Plays one decoded sound through the default wave output device, on a
// thread of its own that queues the PCM a block at a time and closes the
// device when the sound has played out or is stopped. The sound must outlive
// the playback: stop() (or the destructor) before freeing it.
class WavePlayer {
public:
    WavePlayer() = default;
    ~WavePlayer() { stop(); }
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    // Stops any playback of this player, opens the device for the sound's
    // format and starts the thread; returns without waiting for the sound.
    // Returns false, with nothing playing, when the device cannot be opened
    // or the thread cannot be started.
    bool start(const DecodedSound& sound);

    // Stops playback and returns once the thread has ended and the device is
    // closed. Does nothing when nothing plays.
    void stop();

    // True while the thread still plays the sound.
    bool isPlaying() const;

private:
    static DWORD WINAPI threadMain(void* player);
    void playToEnd();

    const DecodedSound* sound_ = nullptr;
    HWAVEOUT device_ = nullptr;
    UniqueHandle blockDone_;  // set by the device whenever it finishes a block
    UniqueHandle stopRequest_;
    UniqueHandle thread_;
};
