#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfd/descriptor_reader.h"
#include "platform/code_page.h"

// Sets a text with a font the way a program that uses the descriptor does:
// each character's code page 932 code gives its slot, the slot its record,
// the record its cell on a page. The cell's left edge goes to the pen
// position plus the left bearing, and the pen moves on by the left bearing,
// the cell width and the right bearing. Lines are fontSize + 2 pixels
// apart, as the rows of the pages are, and each cell keeps its place in its
// row, so glyphs stand where the generator put them.

// A cell drawn into the image: its top-left corner there.
struct PlacedCell {
    int32_t record;
    int32_t x;
    int32_t y;
};

// The empty box that stands for a character the font lacks.
struct MissingBox {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

struct TextLayout {
    int32_t width = 0;  // the image that holds every cell, box and pen advance
    int32_t height = 0;
    std::vector<PlacedCell> cells;  // in text order
    std::vector<MissingBox> boxes;
    std::u32string missing;  // each character the font lacks once, in order of first use
};

// The blanks a generated font leaves out: the space and the ideographic
// space. Where the font has no glyph of its own for one, it advances by
// blankAdvance: half the font size for the space, the whole for the
// ideographic space.
constexpr char32_t kSpace = 0x20;
constexpr char32_t kIdeographicSpace = 0x3000;
constexpr char32_t kBlanks[] = {kSpace, kIdeographicSpace};
int32_t blankAdvance(char32_t blank, int32_t fontSize);

// Sets `text`. Line feeds, carriage returns and CR LF pairs start a new
// line. A blank the font has no glyph for advances by blankAdvance. Any
// other character without a glyph, in the font or in code page 932, gets an
// empty box: half the font size wide for the half-width forms, the whole
// font size for the rest, from below the row's top margin down to
// `baseline` (rows from the row's top), standing where glyphs stand.
// `descriptor` has passed findDescriptorDamage.
TextLayout setText(const DescriptorFile& descriptor, const CodePage932& codePage, const std::u32string& text,
                   int32_t baseline);
