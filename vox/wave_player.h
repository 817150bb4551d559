#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "vox/ogg_file.h"
#include "win32/owners.h"

// Plays one Ogg Vorbis file through the default wave output device, once.
// Starting comes in two halves so that a caller can do the slow one outside
// its locks: open() opens the device and decodes the first block (it reads
// the file, which may be slow), play() hands that block to the device and
// starts a thread of the player's own. The thread decodes the file block by
// block into a few rotating buffers while the device plays the others, and
// closes the device and the file when the sound has played out or is
// stopped. Memory stays a few blocks, whatever the length of the sound.
//
// One thread at a time owns a player and calls its functions; the player's
// own thread touches only what it plays.
class WavePlayer {
public:
    WavePlayer() = default;
    ~WavePlayer() { stop(); }
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    // Takes `file`, opens the device for its format and decodes the first
    // block from where the decoder stands; nothing is heard yet. Call once.
    // Returns false, with the device and `file` closed, when the device
    // cannot be opened for the file's format or memory runs out.
    bool open(std::unique_ptr<OggFile> file);

    // Hands the device the first block and starts the thread that plays on;
    // neither reads the file. Call once, after open() succeeded. Returns
    // true once the device has taken the block (or at once for a sound
    // without samples, which has played); returns false, with the device and
    // file closed, when the device refuses the block or the thread cannot be
    // started.
    bool play();

    // Stops playback at once and returns when the thread has ended and the
    // device and file are closed; closes them too for a player opened but
    // never played.
    void stop();

    // True while the thread still plays the sound.
    bool isPlaying() const;

private:
    static DWORD WINAPI threadMain(void* player);
    // Decodes the next samples into `block`; false once the sound has ended.
    bool decode(WAVEHDR& block);
    // Hands the decoded `block` to the device; false when it is refused.
    bool hand(WAVEHDR& block);
    // Decodes the next samples into `block` and hands it to the device;
    // false once the sound has ended or the device refused the block.
    bool queue(WAVEHDR& block);
    void playToEnd();
    // Closes the device and the file and frees the blocks.
    void finish();

    static constexpr int kBlockCount = 4;

    std::unique_ptr<OggFile> file_;
    std::vector<unsigned char> samples_;  // the blocks' samples, one block after another
    WAVEHDR blocks_[kBlockCount] = {};
    HWAVEOUT device_ = nullptr;
    KernelHandle blockDone_;    // set by the device whenever it finishes a block
    KernelHandle stopRequest_;  // also ends the file's reading (OggFile::stopReadingWhen)
    KernelHandle thread_;
};
