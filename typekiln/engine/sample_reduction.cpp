#include "engine/sample_reduction.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kSumsPerPixel = 5;

// The output pixel of a block's sums: colour the mean of the covered
// samples, alpha the sum over all of the block's samples. `Sum` is 32 bits
// when the sums fit, which divides faster.
template <typename Sum>
uint32_t averagePixel(const uint64_t* block, uint64_t blockSamples) {
    const Sum covered = static_cast<Sum>(block[0]);
    if (covered == 0) return 0;
    return static_cast<uint32_t>(static_cast<Sum>(block[4]) / static_cast<Sum>(blockSamples)) << 24 |
           static_cast<uint32_t>(static_cast<Sum>(block[3]) / covered) << 16 |
           static_cast<uint32_t>(static_cast<Sum>(block[2]) / covered) << 8 |
           static_cast<uint32_t>(static_cast<Sum>(block[1]) / covered);
}

}  // namespace

bool BandSums::reserve(int32_t outWidth) {
    if (outWidth <= capacity && sums) return true;
    sums.reset();
    wholeBlocks.reset();
    const size_t values = (static_cast<size_t>(outWidth) + 1) * kSumsPerPixel;
    sums.allocate(values);
    wholeBlocks.allocate(values);
    capacity = sums && wholeBlocks ? outWidth : 0;
    return capacity > 0;
}

void BandSums::clear(int32_t outWidth) {
    const size_t bytes = (static_cast<size_t>(outWidth) + 1) * kSumsPerPixel * sizeof(uint64_t);
    std::memset(sums.get(), 0, bytes);
    std::memset(wholeBlocks.get(), 0, bytes);
}

void BandSums::addSamples(const uint32_t* samples, int32_t pitch, int32_t width, int32_t rows,
                          int32_t sample) {
    // Whole rows at a time: every sample is read once, in memory order, and
    // added to the sums of its block; the transparent ones cost one test.
    for (int32_t j = 0; j < rows; ++j) {
        const uint32_t* row = samples + static_cast<size_t>(j) * pitch;
        uint64_t* block = sums.get();
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

void BandSums::addToBlock(int32_t block, uint64_t count, uint32_t value) {
    uint64_t* sum = sums.get() + static_cast<size_t>(block) * kSumsPerPixel;
    sum[0] += count;
    sum[1] += count * (value & 0xFF);
    sum[2] += count * ((value >> 8) & 0xFF);
    sum[3] += count * ((value >> 16) & 0xFF);
    sum[4] += count * (value >> 24);
}

void BandSums::addRun(int32_t x, int32_t length, uint32_t value, int32_t sample) {
    const int32_t end = x + length;
    int32_t first = x / sample;
    const int32_t last = end / sample;  // the block holding the run's end, if any of it is covered
    if (first == last) {
        addToBlock(first, static_cast<uint64_t>(length), value);
        return;
    }
    if (x % sample != 0) addToBlock(first++, static_cast<uint64_t>(sample - x % sample), value);
    if (end % sample != 0) addToBlock(last, static_cast<uint64_t>(end % sample), value);
    if (first == last) return;
    // Whole blocks first .. last - 1: with unsigned wrap-around, adding here
    // and taking off at `last` leaves the running total right for each.
    const uint64_t whole = static_cast<uint64_t>(sample);
    uint64_t* begin = wholeBlocks.get() + static_cast<size_t>(first) * kSumsPerPixel;
    uint64_t* after = wholeBlocks.get() + static_cast<size_t>(last) * kSumsPerPixel;
    const uint64_t add[kSumsPerPixel] = {whole, whole * (value & 0xFF), whole * ((value >> 8) & 0xFF),
                                         whole * ((value >> 16) & 0xFF), whole * (value >> 24)};
    for (int c = 0; c < kSumsPerPixel; ++c) {
        begin[c] += add[c];
        after[c] -= add[c];
    }
}

void BandSums::finish(int32_t outWidth, int32_t sample, uint32_t* out) const {
    const uint64_t blockSamples = static_cast<uint64_t>(sample) * sample;
    const bool narrow = blockSamples * 255 <= UINT32_MAX;
    uint64_t running[kSumsPerPixel] = {};
    for (int32_t x = 0; x < outWidth; ++x) {
        uint64_t block[kSumsPerPixel];
        for (int c = 0; c < kSumsPerPixel; ++c) {
            running[c] += wholeBlocks[static_cast<size_t>(x) * kSumsPerPixel + c];
            block[c] = sums[static_cast<size_t>(x) * kSumsPerPixel + c] + running[c];
        }
        out[x] = narrow ? averagePixel<uint32_t>(block, blockSamples)
                        : averagePixel<uint64_t>(block, blockSamples);
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
