#include "wave_player.h"

#include <mmsystem.h>

#include <algorithm>
#include <iterator>

namespace {

// Four blocks of a tenth of a second each: the device always has the next
// block in hand, and a stop takes effect within one block.
constexpr int kBlockCount = 4;
constexpr long kBlocksPerSecond = 10;

WAVEFORMATEX waveFormatOf(const DecodedSound& sound) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(sound.channels);
    format.nSamplesPerSec = static_cast<DWORD>(sound.sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

}  // namespace

bool WavePlayer::start(const DecodedSound& sound) {
    stop();
    blockDone_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    stopRequest_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!blockDone_ || !stopRequest_) {
        return false;
    }
    WAVEFORMATEX format = waveFormatOf(sound);
    if (waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(blockDone_.get()), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return false;
    }
    sound_ = &sound;
    thread_.reset(CreateThread(nullptr, 0, threadMain, this, 0, nullptr));
    if (!thread_) {
        waveOutClose(device_);
        device_ = nullptr;
        return false;
    }
    return true;
}

void WavePlayer::stop() {
    if (!thread_) {
        return;
    }
    SetEvent(stopRequest_.get());
    WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
}

bool WavePlayer::isPlaying() const {
    return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

DWORD WINAPI WavePlayer::threadMain(void* player) {
    static_cast<WavePlayer*>(player)->playToEnd();
    return 0;
}

void WavePlayer::playToEnd() {
    const auto* pcm = reinterpret_cast<const char*>(sound_->samples.data());
    const size_t pcmBytes = sound_->samples.size() * sizeof(int16_t);
    const size_t frameBytes = static_cast<size_t>(sound_->channels) * sizeof(int16_t);
    const size_t blockBytes = std::max<size_t>(1, sound_->sampleRate / kBlocksPerSecond) * frameBytes;
    size_t queued = 0;
    bool stopping = false;

    WAVEHDR blocks[kBlockCount] = {};
    auto queueNext = [&](WAVEHDR& block) {
        if (stopping || queued == pcmBytes) {
            return false;
        }
        block = WAVEHDR{};
        block.lpData = const_cast<char*>(pcm + queued);
        block.dwBufferLength = static_cast<DWORD>(std::min(blockBytes, pcmBytes - queued));
        if (waveOutPrepareHeader(device_, &block, sizeof block) != MMSYSERR_NOERROR) {
            return false;
        }
        if (waveOutWrite(device_, &block, sizeof block) != MMSYSERR_NOERROR) {
            waveOutUnprepareHeader(device_, &block, sizeof block);
            return false;
        }
        queued += block.dwBufferLength;
        return true;
    };

    int inFlight = 0;
    for (WAVEHDR& block : blocks) {
        inFlight += queueNext(block) ? 1 : 0;
    }
    const HANDLE wakeUps[] = {stopRequest_.get(), blockDone_.get()};
    while (inFlight > 0) {
        DWORD woken =
            WaitForMultipleObjects(static_cast<DWORD>(std::size(wakeUps)), wakeUps, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 && !stopping) {
            stopping = true;
            waveOutReset(device_);  // hands every queued block back as done
        }
        for (WAVEHDR& block : blocks) {
            if ((block.dwFlags & WHDR_PREPARED) && (block.dwFlags & WHDR_DONE)) {
                waveOutUnprepareHeader(device_, &block, sizeof block);
                block.dwFlags = 0;
                inFlight -= queueNext(block) ? 0 : 1;
            }
        }
    }
    waveOutClose(device_);
    device_ = nullptr;
}
