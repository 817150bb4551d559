#pragma once

#include <cstdint>

#include "engine/choice_lists.h"

// Everything that shapes a font generation run. The program keeps one
// GenerationSettings for its whole life: start-up values first, then the
// options of a batch line or the main dialog's controls. All text is code
// page 932; sizes count bytes, terminator included.

constexpr int kMaxPathBytes = 260;
constexpr int kMaxFaceBytes = 256;

// Packed colour: red in bits 0-7, green 8-15, blue 16-23. Bits 24-31 mean
// nothing to any consumer.
constexpr uint32_t packColour(uint32_t red, uint32_t green, uint32_t blue, uint32_t top) {
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16 | (top & 0xFF) << 24;
}
constexpr uint32_t redOf(uint32_t colour) {
    return colour & 0xFF;
}
constexpr uint32_t greenOf(uint32_t colour) {
    return (colour >> 8) & 0xFF;
}
constexpr uint32_t blueOf(uint32_t colour) {
    return (colour >> 16) & 0xFF;
}

// Portable stand-ins for the GDI records the rasteriser keeps per glyph:
// the same fields, as GDI's narrow calls fill them.
struct TextMetrics {
    int32_t tmHeight;
    int32_t tmAscent;
    int32_t tmDescent;
    int32_t tmInternalLeading;
    int32_t tmExternalLeading;
    int32_t tmAveCharWidth;
    int32_t tmMaxCharWidth;
    int32_t tmWeight;
    int32_t tmOverhang;
    int32_t tmDigitizedAspectX;
    int32_t tmDigitizedAspectY;
    uint8_t tmFirstChar;
    uint8_t tmLastChar;
    uint8_t tmDefaultChar;
    uint8_t tmBreakChar;
    uint8_t tmItalic;
    uint8_t tmUnderlined;
    uint8_t tmStruckOut;
    uint8_t tmPitchAndFamily;
    uint8_t tmCharSet;
};

struct AbcWidths {
    int32_t abcA;   // space before the glyph's black box
    uint32_t abcB;  // width of the black box
    int32_t abcC;   // space after it
};

// The glyph part of the settings, handed by reference to the rasteriser and
// the effects. Sizes are in output pixels; drawing happens at `sample` times
// that. The tail is the rasteriser's working state for the last glyph (in
// sampled pixels): values only, the system's font objects belong to the
// glyph source.
struct GlyphOptions {
    char face[kMaxFaceBytes];
    int32_t bold;
    int32_t edgeOn;
    int32_t bevelOn;
    int32_t italic;
    int32_t fixPitch;
    int32_t edgeSize;
    int32_t bevelSize;
    int32_t size;
    int32_t bevelDirection;
    int32_t sample;
    float aspectX;
    float aspectY;
    uint32_t color;
    uint32_t bevelColor;
    uint32_t edgeColor;

    TextMetrics textMetrics;
    AbcWidths abc;
    int32_t topOffset;  // from the top of the font's cell down to the glyph's black box
};

struct GenerationSettings {
    char inputPath[kMaxPathBytes];  // the character list text file
    char outName[kMaxPathBytes];    // base of every output file name
    int32_t pageWidthIndex;         // into pageSizes
    int32_t pageHeightIndex;        // into pageSizes
    int32_t pageFormat;             // a PageFormat; other values write no page images
    GlyphOptions glyphOptions;
};

// How much the effects widen a glyph, in output pixels: the edge on both
// sides, the extrusion on one. The rasteriser shrinks the font by this much
// so that the finished glyph keeps its size. Wide enough for unchecked sizes.
int64_t effectMargin(const GlyphOptions& options);

// Zeroes the whole glyph record, working state included, then stores the
// start-up glyph values: face "ＭＳ ゴシック", size 26, white, sample 1,
// scales 1.0.
void setStartupGlyphOptions(GlyphOptions& options);

// The whole record at its start-up values: the glyph values above, page
// width and height index 1 (256 pixels), 32-bit TGA, output name "font", no
// input file.
void setStartupSettings(GenerationSettings& settings);
