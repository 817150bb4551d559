#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "font_generator.h"

// A stand-in for the progress window and the GDI rasteriser, so that runs
// can be tested on any platform. Glyph images are solid blocks in the body
// colour whose size each test chooses per character code.
struct FakeRunWindow {
    struct Glyph {
        int32_t width;  // sampled pixels; 0 draws nothing
        int32_t height;
        int32_t topOffset;
        int32_t abcA, abcC;
    };
    // The glyph drawn for a character code; by default 10 x 20 output pixels.
    Glyph (*glyphFor)(uint16_t code, const GlyphOptions& options) = nullptr;

    int32_t progressRange = -1;
    int32_t progressSteps = 0;
    std::vector<std::string> failures;

    RunWindow window();
};
