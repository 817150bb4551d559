#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "images/surface.h"

// PNG files of surfaces, compressed by libpng.

enum class PngAlpha {
    Keep,  // 8-bit RGBA: colour and alpha as the surface holds them
    Drop,  // 8-bit RGB, for opaque images
};

// Encodes `image`, enlarged `scale` times in each direction (each pixel a
// square block; 1 leaves it as it is), into `png`. The enlarged image is
// made one row at a time, never whole: besides the image, encoding takes
// one enlarged row and the compressed bytes. Returns false, with libpng's
// reason in `error`, when it cannot; a failed allocation is such a reason.
bool encodePng(const Surface& image, PngAlpha alpha, int32_t scale, std::vector<uint8_t>& png,
               std::string& error);

// Encodes `image` and writes it to `fileName` (the system's text), replacing
// an existing file. Returns false, with a one-line reason, when either fails;
// no incomplete file is left.
bool writePng(const char* fileName, const Surface& image, PngAlpha alpha, int32_t scale, std::string& error);
