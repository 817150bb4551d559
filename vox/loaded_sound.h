#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "vox/wave_player.h"

// A sound loaded by VoxLoad: the path of its file and its playback. The table
// of loaded sounds and every call inside a play of the sound share it
// (std::shared_ptr), so a sound released while another thread plays it lives
// on until that play has returned, and its handle may name a new sound
// meanwhile without the play touching that one.
struct LoadedSound {
    explicit LoadedSound(std::string filePath) : path(std::move(filePath)) {}

    // Set at load and never changed: read without the lock. Each play opens
    // the file anew.
    const std::string path;

    // Guards the three fields below. It is held only to read or swap them and
    // to hand a prepared playback its first block (closing the device should
    // it refuse the block): never across a file read, a decode, a device
    // open or a wait for a thread, so that no call waits on another call's
    // file or device. Lock order: it is never taken while the table lock is
    // held, nor the table lock while it is held, and no call holds the locks
    // of two sounds.
    std::mutex lock;
    // The playback of the latest play that reached the device; null before
    // the first, and while a play prepares the next one.
    std::unique_ptr<WavePlayer> playback;
    // Counts the plays begun. A play installs its playback only when no play
    // of the sound began after it: the latest play decides what plays.
    unsigned playsBegun = 0;
    // Set once by releaseSound: the sound plays no more.
    bool released = false;
};

// Plays `sound` from its start: stops its playback, waits for that playback's
// thread, opens the file and the device and decodes the first block (all
// without holding the lock), then starts the new playback unless the sound
// has been released or a later play of it has begun in the meantime.
// Returns true when playback started (or, for a sound without samples, has
// ended already), and when a later play overtook this one, which then decides
// what plays; false when the sound has been released, before or during the
// play, when the file can no longer be opened or read as it was at its load,
// or when the device cannot be opened for the sound's format or refuses its
// first block.
bool playSound(LoadedSound& sound);

// 1 while the sound plays, 0 when it is silent (not yet played, played to its
// end, or its play still preparing), -1 once it has been released. Never
// waits on a file or a device.
int statusOf(LoadedSound& sound);

// Marks the sound released, stops its playback at once and returns when the
// playback's thread has ended and its device and file are closed. A play of
// the sound in progress on another thread is not waited for: it finds the
// sound released once its own file and device have answered, closes them and
// returns false without playing.
void releaseSound(LoadedSound& sound);
