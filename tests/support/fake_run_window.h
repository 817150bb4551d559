#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/font_generator.h"

// A stand-in for the progress window and the GDI rasteriser, so that runs
// can be tested on any platform. Glyph images are blocks in the body colour
// whose size each test chooses per character code, with the settings' edge
// and extrusion drawn around them; patterned glyphs have holes and pixels of
// several colours, the same for the same code.
struct FakeRunWindow {
    struct Glyph {
        int32_t width;  // sampled pixels; 0 stands for a character the font has no image for
        int32_t height;
        int32_t topOffset;
        int32_t abcA, abcC;
    };
    // The glyph drawn for a character code; by default 10 x 20 output pixels.
    Glyph (*glyphFor)(uint16_t code, const GlyphOptions& options) = nullptr;
    bool patterned = false;
    int32_t drawingThreads = 1;

    int32_t progressRange = -1;
    int32_t progressSteps = 0;
    int32_t emptyGlyphs = 0;
    int32_t pagesWritten = 0;
    std::vector<std::string> failures;

    RunWindow window();
};
