#pragma once

#include <cstdint>
#include <vector>

#include "images/colour_reduction.h"

// The colour reduction and the palettised page files, done the
// straightforward way: linear searches over the distinct colours, the
// quadratic exchange sort, one palette lookup per pixel. Slow, but short
// enough to check by eye; the product's fast path must give the same bytes.

struct ReferenceReduction {
    std::vector<uint32_t> pixels;   // after alpha quantisation
    std::vector<uint32_t> colours;  // distinct values, in the final sorted order
    std::vector<int32_t> counts;
    std::vector<ColourBox> boxes;
    std::vector<uint8_t> indexImage;
    std::vector<uint32_t> palette;  // box colours
};

// The exchange sort as written: descending by key, ties where it leaves them.
void referenceExchangeSort(std::vector<uint8_t>& keys, std::vector<int32_t>& payload);

ReferenceReduction referenceReduce(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                                   int levels);

// The BMP file (4 or 8 bits) and its 32-bit TGA copy, from a reference reduction.
std::vector<uint8_t> referenceBmpFile(const ReferenceReduction& reduction, int bits, int32_t width,
                                      int32_t writtenHeight);
std::vector<uint8_t> referenceBmpTgaCopy(const ReferenceReduction& reduction, int bits, int32_t width,
                                         int32_t writtenHeight);
