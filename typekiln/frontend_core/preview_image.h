#pragma once

#include <cstdint>

#include "images/surface.h"

// The picture of the main dialog's preview, apart from the window system:
// where the sample glyph goes, and how it is laid over the grey background
// of the display.

// Clears `picture` and copies `glyph` (opaque, alpha included) into its
// middle, at ((W - w) / 2, (H - h) / 2) truncated toward zero, so that a
// glyph larger than the picture is centred and cut on every side.
void centreInPicture(Surface& picture, const Surface& glyph);

// A display's 32-bit pixels: bytes blue, green, red, alpha; rows
// `pitchBytes` apart (a multiple of 4, at least width * 4).
struct DisplayPixels {
    uint8_t* bytes;
    int32_t pitchBytes;
    int32_t width;
    int32_t height;
};

// Fills every byte of the display, padding included, with 0x80 (mid grey,
// alpha 128), then lays each pixel of `source` that falls on the display
// over it by the source's alpha a: each colour channel becomes
// 128 + (s - 128) * a / 255, truncated toward zero, and the alpha a.
void composeOverGrey(const Surface& source, const DisplayPixels& display);
