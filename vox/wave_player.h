#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ogg_file.h"
#include "unique_handle.h"

// Plays one Ogg Vorbis file through the default wave output device. The
// caller's thread opens the device and hands it the first block; a thread
// of the player's own then decodes the file block by block into a few
// rotating buffers while the device plays the others, and closes the device
// and the file when the sound has played out or is stopped. Memory stays a
// few blocks, whatever the length of the sound.
class WavePlayer {
public:
    WavePlayer() = default;
    ~WavePlayer() { stop(); }
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    // Stops any playback of this player, then plays `file` from where its
    // decoder stands. Returns true once the device has taken the first block
    // (or, for a sound without samples, once it has opened); returns false,
    // with nothing playing and `file` closed, when the device cannot be
    // opened for the file's format, refuses the first block, or the thread
    // cannot be started.
    bool start(std::unique_ptr<OggFile> file);

    // Stops playback at once and returns when the thread has ended and the
    // device and file are closed. Does nothing when nothing plays.
    void stop();

    // True while the thread still plays the sound.
    bool isPlaying() const;

private:
    enum class Queued { Yes, SoundEnded, Refused };

    static DWORD WINAPI threadMain(void* player);
    // Decodes the next samples into `block` and hands it to the device.
    Queued queue(WAVEHDR& block);
    void playToEnd();
    // Closes the device and the file and frees the blocks.
    void finish();

    static constexpr int kBlockCount = 4;

    std::unique_ptr<OggFile> file_;
    std::vector<unsigned char> samples_;  // the blocks' samples, one block after another
    WAVEHDR blocks_[kBlockCount] = {};
    HWAVEOUT device_ = nullptr;
    UniqueHandle blockDone_;    // set by the device whenever it finishes a block
    UniqueHandle stopRequest_;  // also ends the file's reading (OggFile::stopReadingWhen)
    UniqueHandle thread_;
};
