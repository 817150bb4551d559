#include "vox/wave_player.h"

#include <mmsystem.h>

#include <algorithm>
#include <iterator>
#include <new>

namespace {

// Blocks of a tenth of a second: while the device plays one, the next ones
// are decoded already, and a stop is heard at once.
constexpr long kBlocksPerSecond = 10;

WAVEFORMATEX waveFormatOf(const OggVorbisStream& stream) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(stream.channels());
    format.nSamplesPerSec = static_cast<DWORD>(stream.sampleRate());
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

}  // namespace

bool WavePlayer::open(std::unique_ptr<OggFile> file) {
    file_ = std::move(file);
    const OggVorbisStream& stream = file_->stream();
    const size_t blockBytes =
        static_cast<size_t>(std::max<long>(1, stream.sampleRate() / kBlocksPerSecond)) * stream.frameBytes();
    try {
        samples_.assign(kBlockCount * blockBytes, 0);
    } catch (const std::bad_alloc&) {
        finish();
        return false;
    }
    for (int i = 0; i < kBlockCount; ++i) {
        blocks_[i] = WAVEHDR{};
        blocks_[i].lpData = reinterpret_cast<char*>(samples_.data() + i * blockBytes);
    }
    blockDone_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    stopRequest_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    file_->stopReadingWhen(stopRequest_.get());
    WAVEFORMATEX format = waveFormatOf(stream);
    if (!blockDone_ || !stopRequest_ ||
        waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(blockDone_.get()), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        finish();
        return false;
    }
    if (!decode(blocks_[0])) {
        finish();  // a sound without samples: play() finds it played
    }
    return true;
}

bool WavePlayer::play() {
    if (device_ == nullptr) {
        return true;
    }
    // The first block is handed over here, so that a device that takes no
    // samples is reported to the caller rather than found out by the thread.
    if (!hand(blocks_[0])) {
        finish();
        return false;
    }
    thread_.reset(CreateThread(nullptr, 0, threadMain, this, 0, nullptr));
    if (!thread_) {
        waveOutReset(device_);
        waveOutUnprepareHeader(device_, &blocks_[0], sizeof blocks_[0]);
        finish();
        return false;
    }
    return true;
}

void WavePlayer::stop() {
    if (thread_) {
        SetEvent(stopRequest_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
    finish();
}

bool WavePlayer::isPlaying() const {
    return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

DWORD WINAPI WavePlayer::threadMain(void* player) {
    static_cast<WavePlayer*>(player)->playToEnd();
    return 0;
}

bool WavePlayer::decode(WAVEHDR& block) {
    const size_t blockBytes = samples_.size() / kBlockCount;
    block.dwBufferLength =
        static_cast<DWORD>(file_->stream().read(reinterpret_cast<unsigned char*>(block.lpData), blockBytes));
    return block.dwBufferLength > 0;
}

bool WavePlayer::hand(WAVEHDR& block) {
    block.dwFlags = 0;
    if (waveOutPrepareHeader(device_, &block, sizeof block) != MMSYSERR_NOERROR) {
        return false;
    }
    if (waveOutWrite(device_, &block, sizeof block) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(device_, &block, sizeof block);
        return false;
    }
    return true;
}

bool WavePlayer::queue(WAVEHDR& block) {
    return decode(block) && hand(block);
}

void WavePlayer::playToEnd() {
    // Once the sound has ended, been stopped or refused a block, the blocks
    // still queued play out (or are handed back by the reset) and no new
    // ones follow.
    bool ending = false;
    int inFlight = 1;  // the first block, handed over by play()
    for (int i = 1; i < kBlockCount && !ending; ++i) {
        ending = !queue(blocks_[i]);
        inFlight += ending ? 0 : 1;
    }
    const HANDLE wakeUps[] = {stopRequest_.get(), blockDone_.get()};
    bool stopping = false;
    while (inFlight > 0) {
        const DWORD woken =
            WaitForMultipleObjects(static_cast<DWORD>(std::size(wakeUps)), wakeUps, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 && !stopping) {
            stopping = ending = true;
            waveOutReset(device_);  // hands every queued block back as done
        }
        for (WAVEHDR& block : blocks_) {
            if ((block.dwFlags & WHDR_PREPARED) && (block.dwFlags & WHDR_DONE)) {
                waveOutUnprepareHeader(device_, &block, sizeof block);
                block.dwFlags = 0;
                ending = ending || !queue(block);
                inFlight -= ending ? 1 : 0;
            }
        }
    }
    finish();
}

void WavePlayer::finish() {
    if (device_ != nullptr) {
        waveOutClose(device_);
        device_ = nullptr;
    }
    file_.reset();
    std::vector<unsigned char>().swap(samples_);
}
