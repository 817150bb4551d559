#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/descriptor.h"
#include "gfd/font.h"

// Where a font's glyphs stand in their rows. The descriptor keeps no
// ascent: the baseline is measured on the pages, as rows from the top of a
// glyph's row (its cell's top) down to the line the glyphs stand on.

// A glyph's cell as copied from its page: 0xAARRGGBB, rows top to bottom,
// pitch = width.
struct CellPixels {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;
};

// The baseline of a font that has none of the measured characters: the
// bottom of the glyph area, one margin pixel above the row's end.
int32_t defaultBaseline(const DescriptorHeader& header);

// The baseline of `cells`: one past the lowest row of body ink, the most
// common such row among the cells (ties go to the higher one, since tails
// and overshoots only ever dip below). -1 when no cell has body ink.
//
// Body ink is told from outline ink by colour. An outline surrounds the
// body, so the rim of the ink (opaque pixels beside one that is not, or at
// the cell's edge) has the outline's colour: the most common colour there.
// The body colour is the most common opaque colour inside the rim other
// than that one. Counting all opaque pixels would not do: at ordinary sizes
// a two-pixel outline covers more pixels than the strokes it surrounds. A
// pixel of at least half alpha is body ink when its colour is nearer the
// body colour than the rim colour, so a blend where body meets outline goes
// with whichever it holds more of. A font without an outline has no other
// colour inside the rim: all of its ink is body.
int32_t baselineOfCells(const std::vector<CellPixels>& cells);

// The baseline measured on the Latin capitals and digits the font has (half
// and full width), whose bottoms lie on it; defaultBaseline when it has
// none. The pages holding them are loaded one at a time. Returns false, with
// the reason, when one cannot be loaded. `font` has passed
// findDescriptorDamage.
bool measureBaseline(const Font& font, int32_t& baseline, std::string& error);
