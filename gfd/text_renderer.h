#pragma once

#include <cstdint>
#include <string>

#include "font.h"
#include "surface.h"
#include "text_setter.h"

struct Colour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// The largest image a render makes, on either side after scaling: a
// sentence, not a poster.
constexpr int32_t kMaxRenderSide = 16384;

// Draws a set text into `image` (created here, layout.width x
// layout.height, opaque): the background colour, each cell alpha-blended
// from its page in text order, and each missing character's box outlined in
// black or white, whichever stands out from the background. Pages are read
// when first needed and kept to the end. Returns false, with a one-line
// reason, when a page cannot be loaded or the image cannot be made.
bool renderText(const TextLayout& layout, const Font& font, Colour background, Surface& image,
                std::string& error);

// `image` enlarged `factor` times in each direction, each pixel a square
// block. False when `scaled` cannot be made.
bool scaleUp(const Surface& image, int32_t factor, Surface& scaled);
