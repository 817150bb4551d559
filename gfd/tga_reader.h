#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "images/surface.h"

// Reading the 32-bit TGA images that hold font pages: uncompressed
// true-colour, 8 alpha bits, rows left to right from the top or from the
// bottom. Other kinds of TGA are refused, not guessed at.

struct TgaLayout {
    int32_t width;
    int32_t height;
    size_t pixelOffset;  // where the first stored row starts
    bool topDown;        // the first stored row is the top one
};

// Reads the header at the start of `bytes`. Returns false, with a one-line
// reason in `error`, when it is no such image or has no pixels.
bool readTgaLayout(const uint8_t* bytes, size_t size, TgaLayout& layout, std::string& error);

// Makes `image` the image's size and copies its pixels into it, checking
// first that `bytes` hold them all: nothing is allocated for pixels the
// file does not have. Returns false, with a reason, when `bytes` end before
// the last pixel or the image cannot be made; `image` is then empty.
bool decodeTgaPixels(const uint8_t* bytes, size_t size, const TgaLayout& layout, Surface& image,
                     std::string& error);
