#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/descriptor.h"
#include "images/surface.h"
#include "tests/test_files/test_files.h"

// A small font made the way Typekiln makes one, for the tests of gfd:
// font size 10 (rows 12 pixels high) on 128 x 128 pages named font_NN.
// Each glyph is a solid block of its own colour, 10 pixels high, one pixel
// in from its cell's left and top edges; the block's top-left pixel is half
// transparent, so that blending shows. Glyphs fill row 0 of their page from
// the left in list order.

struct TestGlyph {
    uint16_t code;  // code page 932
    int32_t page;
    int32_t width;  // of the block; the cell is two pixels wider
    int8_t leftBearing;
    int8_t rightBearing;
    uint32_t colour;  // 0xRRGGBB
};

// A, あ on page 0; B, 漢 on page 1 (漢 with a negative left bearing).
std::vector<TestGlyph> standardGlyphs();

constexpr char kTestOutName[] = "font";  // the output name: font.gfd, font_NN
constexpr int32_t kTestFontSize = 10;
constexpr int32_t kTestPageSize = 128;
constexpr uint32_t kHalfAlpha = 0x80;

// What a page pixel `source` shows laid over an opaque `background`, worked
// out here rather than by the engine: each colour channel
// D + (S - D) * alpha / 255, truncated toward zero, and opaque.
uint32_t blendOver(uint32_t background, uint32_t source);

// A TGA file's header with the given fields (the rest zero), and a 32-bit
// top-down page image of width x height transparent pixels. Spelled out
// byte by byte rather than through the writers' header code, so that gfd's
// reader is checked against the format itself.
std::string tgaImageHeader(int imageType, int depth, int descriptor, int width, int height);
std::string tgaImage(int width, int height);

class TestFont {
public:
    explicit TestFont(const std::vector<TestGlyph>& glyphs = standardGlyphs());

    // Writes font.gfd and its pages (font_NN.tga, or font_NN.bmp with its
    // TGA copy) into the folder, from the header, records and pages as they
    // stand, so that a test can damage them first.
    void write(bool paletted = false);
    // Rewrites every page name of the written descriptor as page 0's, so
    // that all of its pages lead to one file.
    void namePagesAlike();
    std::string path() const;

    // Where glyph `index` of the list lies: its record.
    const GlyphRecord& recordOf(size_t index) const { return records[index]; }
    // The pixel the page holds at the top-left of glyph `index`'s block, and
    // one fully opaque pixel right of it.
    uint32_t cornerPixel(size_t index) const;
    uint32_t solidPixel(size_t index) const;

    TemporaryFolder folder;
    std::unique_ptr<DescriptorHeader> header;
    std::vector<GlyphRecord> records;
    std::vector<std::unique_ptr<Surface>> pages;
    std::vector<TestGlyph> glyphs;
};
