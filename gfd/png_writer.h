#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "surface.h"

// PNG files of surfaces, compressed by libpng.

enum class PngAlpha {
    Keep,  // 8-bit RGBA: colour and alpha as the surface holds them
    Drop,  // 8-bit RGB, for opaque images
};

// Encodes `image` into `png`. Returns false, with libpng's reason in
// `error`, when it cannot.
bool encodePng(const Surface& image, PngAlpha alpha, std::vector<uint8_t>& png, std::string& error);

// Encodes `image` and writes it to `fileName` (the system's text), replacing
// an existing file. Returns false, with a one-line reason, when either fails.
bool writePng(const char* fileName, const Surface& image, PngAlpha alpha, std::string& error);
