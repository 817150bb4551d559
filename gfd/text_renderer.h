#pragma once

#include <cstdint>
#include <string>

#include "gfd/font.h"
#include "gfd/text_setter.h"
#include "images/surface.h"

struct Colour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// The largest image a render makes, after scaling: a sentence, not a
// poster. At most kMaxRenderSide a side and kMaxRenderPixels in all; the
// text is drawn at its own size and enlarged only as the PNG is encoded.
constexpr int32_t kMaxRenderSide = 16384;
constexpr int64_t kMaxRenderPixels = int64_t{1} << 24;

// Draws a set text into `image` (created here, layout.width x
// layout.height, opaque): the background colour, each cell alpha-blended
// from its page in text order, and each missing character's box outlined in
// black or white, whichever stands out from the background. Pages are read
// when first needed and kept to the end, once per file: pages whose names
// lead to one file share its pixels. Returns false, with a one-line reason,
// when a page cannot be loaded or the image cannot be made.
bool renderText(const TextLayout& layout, const Font& font, Colour background, Surface& image,
                std::string& error);
