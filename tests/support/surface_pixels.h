#pragma once

#include <cstdint>
#include <vector>

#include "images/surface.h"

// All pixels of a surface, rows top to bottom.
inline std::vector<uint32_t> pixelsOf(const Surface& surface) {
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < surface.getHeight(); ++y) {
        for (int32_t x = 0; x < surface.getWidth(); ++x) {
            uint32_t pixel;
            surface.getPixel(x, y, &pixel);
            pixels.push_back(pixel);
        }
    }
    return pixels;
}
