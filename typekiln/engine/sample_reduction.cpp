#include "sample_reduction.h"

#include <algorithm>
#include <cstring>

#include "page_memory.h"

namespace {

constexpr int kSumsPerPixel = 5;

}  // namespace

BandSums::~BandSums() {
    releasePages(sums);
}

bool BandSums::reserve(int32_t outWidth) {
    if (outWidth <= capacity && sums) return true;
    releasePages(sums);
    sums = static_cast<uint64_t*>(
        allocatePages(static_cast<size_t>(outWidth) * kSumsPerPixel * sizeof(uint64_t)));
    capacity = sums ? outWidth : 0;
    return sums != nullptr;
}

void BandSums::clear(int32_t outWidth) {
    std::memset(sums, 0, static_cast<size_t>(outWidth) * kSumsPerPixel * sizeof(uint64_t));
}

void BandSums::addSamples(const uint32_t* samples, int32_t pitch, int32_t width, int32_t rows,
                          int32_t sample) {
    // Whole rows at a time: every sample is read once, in memory order, and
    // added to the sums of its block; the transparent ones cost one test.
    for (int32_t j = 0; j < rows; ++j) {
        const uint32_t* row = samples + static_cast<size_t>(j) * pitch;
        uint64_t* block = sums;
        for (int32_t start = 0; start < width; start += sample, block += kSumsPerPixel) {
            const int32_t end = std::min(start + sample, width);
            for (int32_t x = start; x < end; ++x) {
                const uint32_t p = row[x];
                if ((p >> 24) == 0) continue;
                block[0] += 1;
                block[1] += p & 0xFF;
                block[2] += (p >> 8) & 0xFF;
                block[3] += (p >> 16) & 0xFF;
                block[4] += p >> 24;
            }
        }
    }
}

void BandSums::addRun(int32_t x, int32_t length, uint32_t value, int32_t sample) {
    const uint64_t channels[4] = {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF, value >> 24};
    for (int32_t end = x + length; x < end;) {
        const int32_t blockEnd = std::min((x / sample + 1) * sample, end);
        const uint64_t count = static_cast<uint64_t>(blockEnd - x);
        uint64_t* block = sums + static_cast<size_t>(x / sample) * kSumsPerPixel;
        block[0] += count;
        for (int c = 0; c < 4; ++c) block[1 + c] += count * channels[c];
        x = blockEnd;
    }
}

void BandSums::finish(int32_t outWidth, int32_t sample, uint32_t* out) const {
    const uint64_t blockSamples = static_cast<uint64_t>(sample) * sample;
    for (int32_t x = 0; x < outWidth; ++x) {
        const uint64_t* block = sums + static_cast<size_t>(x) * kSumsPerPixel;
        const uint64_t covered = block[0];
        out[x] = covered == 0 ? 0
                              : static_cast<uint32_t>(block[4] / blockSamples) << 24 |
                                    static_cast<uint32_t>(block[3] / covered) << 16 |
                                    static_cast<uint32_t>(block[2] / covered) << 8 |
                                    static_cast<uint32_t>(block[1] / covered);
    }
}

void BandSums::reduce(const uint32_t* samples, int32_t pitch, int32_t width, int32_t rows, int32_t sample,
                      uint32_t* out) {
    const int32_t outWidth = (width + sample - 1) / sample;
    clear(outWidth);
    addSamples(samples, pitch, width, rows, sample);
    finish(outWidth, sample, out);
}

bool reduceSurface(const Surface& source, int32_t sample, Surface& reduced) {
    const int32_t width = source.getWidth();
    const int32_t height = source.getHeight();
    const int32_t outWidth = (width + sample - 1) / sample;
    BandSums sums;
    if (!sums.reserve(outWidth) || !reduced.create(outWidth, (height + sample - 1) / sample)) {
        reduced.release();
        return false;
    }
    const uint32_t* samples = nullptr;
    int32_t pitch = 0;
    source.lockPixels(&samples, &pitch);
    uint32_t* out = nullptr;
    int32_t outPitch = 0;
    reduced.lockPixels(&out, &outPitch);
    for (int32_t y = 0; y < reduced.getHeight(); ++y) {
        const int32_t top = y * sample;
        sums.reduce(samples + static_cast<size_t>(top) * pitch, pitch, width, std::min(sample, height - top),
                    sample, out + static_cast<size_t>(y) * outPitch);
    }
    return true;
}
