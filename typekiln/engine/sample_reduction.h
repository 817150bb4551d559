#pragma once

#include <cstdint>

#include "images/surface.h"
#include "platform/page_memory.h"

// The supersampling reduction as block sums over whole rows: each output
// pixel stands for a sample x sample block of sampled pixels. Its colour is
// the plain mean of the block's covered samples (alpha not 0), its alpha the
// sum of the block's alphas divided by sample * sample, so that samples
// beyond the image count as transparent. Every division truncates.

// Running sums for one row of output pixels; the buffers come from the page
// allocator and are reused from band to band.
class BandSums {
public:
    // Room for `outWidth` output pixels. Returns false when not granted.
    bool reserve(int32_t outWidth);

    // Reduces `rows` (1 .. sample) rows of `width` samples each, `pitch`
    // samples apart, into ceil(width / sample) output pixels at `out`. Rows
    // missing from a full block count as transparent.
    void reduce(const uint32_t* samples, int32_t pitch, int32_t width, int32_t rows, int32_t sample,
                uint32_t* out);

    // The same in steps, for samples that come as runs of one value: start a
    // row of `outWidth` output pixels, add runs, write the pixels.
    void clear(int32_t outWidth);
    // `length` covered samples of `value` from sample column x on.
    void addRun(int32_t x, int32_t length, uint32_t value, int32_t sample);
    void finish(int32_t outWidth, int32_t sample, uint32_t* out) const;

private:
    void addSamples(const uint32_t* samples, int32_t pitch, int32_t width, int32_t rows, int32_t sample);

    void addToBlock(int32_t block, uint64_t count, uint32_t value);

    PageBlock<uint64_t> sums;  // per output pixel: covered count, blue, green, red, alpha
    // Runs over whole blocks add their sums once, here: at their first block,
    // and taken off again after their last (kSumsPerPixel per output pixel,
    // one pixel more than the row).
    PageBlock<uint64_t> wholeBlocks;
    int32_t capacity = 0;
};

// `reduced` becomes ceil(W / sample) x ceil(H / sample), the reduction of
// `source`. Returns false when a buffer is not granted (`reduced` empty).
bool reduceSurface(const Surface& source, int32_t sample, Surface& reduced);
